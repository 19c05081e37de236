#include "dialogs/option_ergebnis_dlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "qt/qt_text.h"
#include "report/result_messages.h"
#include "shell/program_settings.h"

namespace vx {

COptionErgebnisDlg::COptionErgebnisDlg(const ProgramSettings& settings, QWidget* parent)
    : QDialog(parent),
      filterparams_(new QCheckBox(Qs(kFilterparamsOption), this)),
      name_(new QLineEdit(Qs(settings.designerName), this)),
      organisation_(new QLineEdit(Qs(settings.designerOrganisation), this)) {
    setObjectName("optionErgebnisDlg");
    setWindowTitle(Qs(kResultOptionsTitle));
    filterparams_->setObjectName("filterparamsCheck");
    filterparams_->setChecked(settings.filterparamsInOutput != 0);
    name_->setObjectName("designerNameEdit");
    organisation_->setObjectName("designerOrganisationEdit");
    name_->setMinimumWidth(name_->fontMetrics().averageCharWidth() * 32);
    auto* designer = new QGroupBox(Qs(kDesignerGroup), this);
    auto* form = new QFormLayout(designer);
    form->addRow(Qs(kDesignerNameLabel), name_);
    form->addRow(Qs(kDesignerOrganisationLabel), organisation_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(filterparams_);
    layout->addWidget(designer);
    layout->addWidget(OkCancelButtons(this));
}

void COptionErgebnisDlg::Store(ProgramSettings& settings) const {
    settings.filterparamsInOutput = filterparams_->isChecked() ? 1 : 0;
    settings.designerName = Std(name_->text());
    settings.designerOrganisation = Std(organisation_->text());
}

}  // namespace vx
