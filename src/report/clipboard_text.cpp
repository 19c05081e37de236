#include "report/clipboard_text.h"

#include "model/search_method_text.h"
#include "report/dimensioning_text.h"
#include "report/filter_parameter_rows.h"
#include "report/summary_text.h"
#include "session/design_check_messages.h"

namespace vx {

std::string DimensioningClipboardText(const CFilter& filter, const COpv& opv,
                                      const std::vector<std::string>& findings) {
    std::string text = DimensioningText(filter, opv) + "\n";
    if (const std::optional<std::string> search = SearchMethodLine(filter)) {
        text += "\n" + *search + "\n";
    }
    if (!findings.empty()) {
        text += std::string("\n") + check::kFindingsHeading + "\n";
        for (const std::string& finding : findings) {
            text += "- " + finding + "\n";
        }
    }
    return text;
}

std::string ParametersClipboardText(const CFilter& filter, const COpv& opv,
                                    const CFilterStructure& structure) {
    std::string text = SummaryText(filter, opv, SummaryVariant::DIALOG) + "\n\n";
    for (const auto& row : FilterParameterRows(structure)) {
        for (size_t k = 0; k < row.size(); ++k) {
            text += row[k];
            text += k + 1 < row.size() ? '\t' : '\n';
        }
    }
    return text;
}

}  // namespace vx
