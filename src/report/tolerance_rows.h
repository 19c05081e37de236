#pragma once

#include <string>
#include <vector>

#include "analysis/tolerance_result.h"
#include "report/specification_rows.h"

// The tolerance analysis as the user reads it: the same rows and tables for the command line,
// the HTML report, the result window and the printed report.
namespace vx {

struct TextTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    // The header, then the rows.
    std::vector<std::vector<std::string>> HeaderAndRows() const {
        std::vector<std::vector<std::string>> all = {header};
        all.insert(all.end(), rows.begin(), rows.end());
        return all;
    }
};

// What was varied and how often.
std::vector<LabelRow> ToleranceSettingRows(const ToleranceResult& result);
// The figures: "Kennwert", "Ihr Filter", "Mittelwert", "Standardabweichung", "Minimum",
// "Maximum".
TextTable ToleranceFigureTable(const ToleranceResult& result);
// Runs without a figure, when there were any ("12 von 1000 Durchläufen ohne Wert ...").
std::vector<std::string> ToleranceFigureNotes(const ToleranceResult& result);
// The yield, the mask and whether the nominal design keeps it.
std::vector<LabelRow> ToleranceYieldRows(const ToleranceResult& result);
// One row per stage, pole and component: "Stufe", "Pol", "Bauteil", "S(fp)", "S(Q)".
TextTable SensitivityTable(const ToleranceResult& result);

// All of it as text, tables with tab-separated columns, as the dimensioning text is.
std::string ToleranceText(const ToleranceResult& result);
// The progress of a running analysis: "Toleranzanalyse: 45 %".
std::string ToleranceProgressLine(int percent);

}  // namespace vx
