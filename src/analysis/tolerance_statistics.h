#pragma once

#include <span>
#include <vector>

#include "analysis/tolerance_result.h"

// Summaries over the runs of a tolerance analysis.
namespace vx {

// Mean, sample standard deviation and extremes of the values that are numbers.
FigureSummary SummariseFigure(std::span<const double> values, double nominal);

// A band of zeros on the response grid of `filter`, interpolating for the plot as the
// design's curves do (`linear`).
ToleranceBand EmptyBand(const CFilter& filter, bool linear);

// Fills grid points first .. last-1 of the band from `runs` responses of band.median.Count()
// values each, stored one run after the other. The quantiles interpolate linearly between
// neighbouring order statistics (the usual definition of spreadsheets and R's default).
// Separate ranges may be filled on separate threads.
void FillBand(std::span<const double> responses, int runs, int first, int last,
              ToleranceBand& band);

}  // namespace vx
