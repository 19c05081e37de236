#include "dialogs/options_pspice_dlg.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "model/filter.h"
#include "qt/qt_text.h"
#include "spice/spice_defaults.h"
#include "spice/spice_messages.h"

namespace vx {

namespace {

QLineEdit* PathEdit(const QString& name, const std::string& text, QWidget* parent) {
    auto* edit = new QLineEdit(Qs(text), parent);
    edit->setObjectName(name);
    // Room for a path of a usual depth without scrolling.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    return edit;
}

// A field with its example below it, in the grey of a hint.
QWidget* WithExample(QLineEdit* edit, const std::string& example, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(edit);
    auto* hint = new QLabel(Qs(spice_text::ExampleHint(example)), box);
    hint->setEnabled(false);
    layout->addWidget(hint);
    return box;
}

}  // namespace

COptionsPspiceDlg::COptionsPspiceDlg(CFilter& filter, QWidget* parent)
    : QDialog(parent),
      filter_(filter),
      command_(PathEdit("commandEdit", filter.spice.command, this)),
      tmpPath_(PathEdit("tmpPathEdit", filter.spice.tmpPath, this)),
      library_(PathEdit("libraryEdit", filter.spice.library, this)) {
    setObjectName("optionsPspiceDlg");
    setWindowTitle(Qs(spice_text::kConfigTitle));
    auto* form = new QFormLayout;
    form->addRow(TextLabel(spice_text::kCommandLabel, this),
                 WithExample(command_, spice_text::kCommandExample, this));
    form->addRow(TextLabel(spice_text::kTmpPathLabel, this),
                 WithExample(tmpPath_, SystemTmpPath(), this));
    form->addRow(TextLabel(spice_text::kLibraryLabel, this),
                 WithExample(library_, DefaultSpiceLibrary(), this));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons(this));
}

void COptionsPspiceDlg::accept() {
    filter_.spice.command = Std(command_->text().trimmed());
    filter_.spice.tmpPath = Std(tmpPath_->text().trimmed());
    filter_.spice.library = Std(library_->text().trimmed());
    QDialog::accept();
}

}  // namespace vx
