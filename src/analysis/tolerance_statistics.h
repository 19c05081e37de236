#pragma once

#include <span>
#include <vector>

#include "analysis/tolerance_result.h"

// Summaries over the runs of a tolerance analysis.
namespace vx {

// Mean, sample standard deviation and extremes of the values that are numbers.
FigureSummary SummariseFigure(std::span<const double> values, double nominal);

// The quantile p of sorted values, interpolated linearly between neighbouring order statistics
// (the usual definition of spreadsheets and R's default).
double SortedQuantile(std::span<const double> sorted, double p);

// The band of `runs` responses of `points` values each, stored one run after the other. The
// band's curves interpolate for the plot as the design's curves do (`linear`).
ToleranceBand BandOfRuns(std::span<const double> responses, int runs, int points, bool linear);

}  // namespace vx
