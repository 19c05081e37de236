#include "dialogs/option_grafik_dlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "dialogs/dialog_parts.h"
#include "model/filter.h"
#include "plot/graph_option_texts.h"
#include "plot/plot_messages.h"
#include "qt/qt_text.h"

namespace vx {

COptionGrafikDlg::COptionGrafikDlg(CFilter& filter, QWidget* parent)
    : QDialog(parent), filter_(filter) {
    setObjectName("optionGrafikDlg");
    setWindowTitle(Qs(kCurvesTitle));
    auto* group = new QGroupBox(Qs(kCurvesGroup), this);
    auto* boxes = new QVBoxLayout(group);
    const CurveSelection selection = filter.Curves();
    auto box = [&](const char* text, const char* name, bool on) {
        auto* check = new QCheckBox(Qs(text), group);
        check->setObjectName(name);
        check->setChecked(on);
        boxes->addWidget(check);
        return check;
    };
    filterCurve_ = box(kFilterLegend, "filterCurveCheck", selection.filter);
    target_ = box(kTargetLegend, "targetCurveCheck", selection.target);
    traditional_ = box(kTraditionalLegend, "traditionalCurveCheck", selection.traditional);
    delay_ = box(kGroupDelayLegend, "delayCurveCheck", selection.delay);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(OkCancelButtons(this));
}

void COptionGrafikDlg::accept() {
    filter_.SetCurves({filterCurve_->isChecked(), target_->isChecked(), traditional_->isChecked(),
                       delay_->isChecked()});
    QDialog::accept();
}

}  // namespace vx
