#include "dialogs/ampl_mark_dlg.h"

#include "plot/graph_option_texts.h"

namespace vx {

CAmplMarkDlg::CAmplMarkDlg(CFilter& filter, QWidget* parent)
    : CMarkDlg(MarkKind::AMPLITUDE, kAmplitudeMarksTitle, kAmplitudeMarkColumn, parent),
      filter_(filter) {
    setObjectName("amplMarkDlg");
    const auto fields = AmplitudeMarkFields(filter);
    for (int i = 0; i < kAmplitudeMarks; ++i) {
        AddRow(i, fields[static_cast<size_t>(i)]);
    }
    Finish();
}

void CAmplMarkDlg::Apply() {
    ApplyAmplitudeMarks(filter_, RowFields<kAmplitudeMarks>());
}

}  // namespace vx
