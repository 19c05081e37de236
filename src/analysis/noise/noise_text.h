#pragma once

#include <string>
#include <vector>

#include "analysis/noise/noise_study.h"

// The noise and headroom figures as the user reads them: lines of text, a table row a line with
// its cells between tabs. The command line prints them; the window, the report and the HTML
// page show the same.
namespace vx {

inline constexpr const char* kNoiseTitle = "Rauschen und Aussteuerung";
// The result window's caption, also the caption of the message when there is no design.
inline constexpr const char* kNoiseResultTitle = "Ergebnis - Rauschen und Aussteuerung";
// How many contributors the lists name.
inline constexpr size_t kLargestContributors = 10;

std::vector<std::string> NoiseSummaryLines(const NoiseStudy& study);
// "Stufe", peak, where, largest input before the swing, before slewing; a row per op-amp.
std::vector<std::string> StagePeakRows(const NoiseFigures& figures);
// The largest contributors: part, stage, kind, rms.
std::vector<std::string> ContributorRows(const NoiseFigures& figures);
// Both orders side by side; empty when the order does not matter.
std::vector<std::string> StageOrderRows(const NoiseStudy& study);
// A table of the three above as cells.
std::vector<std::vector<std::string>> TableCells(const std::vector<std::string>& rows);
// The tables with their headings, in reading order, for the report and the HTML page: a
// heading, then its table's rows as cells.
struct NoiseTable {
    std::string heading;
    std::vector<std::vector<std::string>> cells;
};
std::vector<NoiseTable> NoiseTables(const NoiseStudy& study);

// The progress dialog's line while the other stage order is designed, the only part that takes
// long.
std::string NoiseProgressLine(int percent);

// Everything in reading order, headings and tables, for the command line.
std::vector<std::string> NoiseReportLines(const NoiseStudy& study);

// The spectrum as CSV: frequency_hz,total,resistors,opamp_voltage,opamp_current (V/rtHz), then
// stage1_out,stage2_out,... (linear gain from the filter input to each op-amp output).
std::string NoiseCsv(const NoiseSpectrum& spectrum);

}  // namespace vx
