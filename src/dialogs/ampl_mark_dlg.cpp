#include "dialogs/ampl_mark_dlg.h"

#include "plot/graph_option_texts.h"
#include "plot/plot_messages.h"

namespace vx {

CAmplMarkDlg::CAmplMarkDlg(CFilter& filter, QWidget* parent)
    : CMarkDlg(kAmplitudeMarksTitle, kAmplitudeMarkColumn, parent), filter_(filter) {
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

std::optional<UserMessage> CAmplMarkDlg::Refusal() const {
    for (int i = 0; i < kAmplitudeMarks; ++i) {
        const MarkField row = RowField(i);
        if (auto refused = CheckAmplitudeMarkField(i + 1, row.checked, row.text)) {
            return refused;
        }
    }
    return std::nullopt;
}

}  // namespace vx
