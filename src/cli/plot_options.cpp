#include "cli/plot_options.h"

#include <algorithm>
#include <fstream>

#include "model/number_format.h"
#include "plot/graph_options.h"
#include "plot/plot_layout.h"
#include "plot/svg_writer.h"
#include "report/summary_text.h"
#include "session/design_session.h"

namespace vx::cli {

const char* const kPlotOptionsHelp =
    "  --plot OUT.svg          write the response plot as SVG\n"
    "  --width W, --height H   picture size in pixels (default 1000 x 700)\n"
    "  --marks-freq F1,F2,...  up to 6 frequency marks in Hz (prefix letters allowed: 1.5k)\n"
    "  --marks-level L1,...    up to 4 amplitude marks in dB\n"
    "  --curves-shown LIST     filter,target,traditional,delay (or none)\n";

namespace {

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        items.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return items;
}

bool LooksNumeric(const std::string& item) {
    return std::any_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool ParseNumberList(const std::string& option, const std::string& value, std::size_t limit,
                     std::vector<std::string>& out, std::string& error) {
    out = SplitList(value);
    if (out.size() > limit) {
        error = option + " takes at most " + FormatInt(static_cast<long long>(limit)) + " values";
        return false;
    }
    for (const std::string& item : out) {
        if (!LooksNumeric(item)) {
            error = option + ": '" + item + "' is not a number";
            return false;
        }
    }
    return true;
}

bool ParseSize(const std::string& option, const std::string& value, int& out, std::string& error) {
    const long long n = ParseInt(value);
    if (n < 200 || n > 20000) {
        error = option + " takes a size from 200 to 20000 pixels";
        return false;
    }
    out = static_cast<int>(n);
    return true;
}

bool ParseCurves(const std::string& value, std::optional<CurveSelection>& out, std::string& error) {
    CurveSelection selection{false, false, false, false};
    if (value != "none") {
        for (const std::string& item : SplitList(value)) {
            if (item == "filter") {
                selection.filter = true;
            } else if (item == "target") {
                selection.target = true;
            } else if (item == "traditional") {
                selection.traditional = true;
            } else if (item == "delay") {
                selection.delay = true;
            } else {
                error = "--curves-shown: unknown curve '" + item +
                        "' (filter, target, traditional, delay or none)";
                return false;
            }
        }
    }
    out = selection;
    return true;
}

}  // namespace

bool TakePlotOption(const Args& args, std::size_t& i, PlotOptions& options, std::string& error) {
    const std::string& option = args[i];
    if (option != "--plot" && option != "--width" && option != "--height" &&
        option != "--marks-freq" && option != "--marks-level" && option != "--curves-shown") {
        return false;
    }
    if (i + 1 >= args.size()) {
        error = option + " needs a value";
        return true;
    }
    const std::string& value = args[++i];
    if (option == "--plot") {
        options.output = value;
    } else if (option == "--width") {
        ParseSize(option, value, options.width, error);
    } else if (option == "--height") {
        ParseSize(option, value, options.height, error);
    } else if (option == "--marks-freq") {
        ParseNumberList(option, value, kFrequencyMarks, options.frequencyMarks, error);
    } else if (option == "--marks-level") {
        ParseNumberList(option, value, kAmplitudeMarks, options.levelMarks, error);
    } else {
        ParseCurves(value, options.curves, error);
    }
    return true;
}

void ApplyPlotOptions(const PlotOptions& options, CFilter& filter) {
    if (!options.frequencyMarks.empty()) {
        std::array<MarkField, kFrequencyMarks> rows{};
        for (std::size_t k = 0; k < options.frequencyMarks.size(); ++k) {
            rows[k] = {true, options.frequencyMarks[k]};
        }
        ApplyFrequencyMarks(filter, rows);
    }
    if (!options.levelMarks.empty()) {
        std::array<MarkField, kAmplitudeMarks> rows{};
        for (std::size_t k = 0; k < options.levelMarks.size(); ++k) {
            rows[k] = {true, options.levelMarks[k]};
        }
        ApplyAmplitudeMarks(filter, rows);
    }
    if (options.curves) {
        filter.SetCurves(*options.curves);
    }
}

bool WritePlotSvg(CDesignSession& session, const PlotOptions& options, const ToleranceBand* band) {
    const CFilter& filter = session.Filter();
    const std::string summary = SummaryText(filter, session.OpAmps(), SummaryVariant::REPORT);
    CPlotLayout layout(filter, session.Curves(), summary);
    layout.SetToleranceBand(band);
    const PlotRect page{0, 0, options.width, options.height};
    const PlotDrawing drawing = layout.Draw(page, PlotScale::Screen());
    std::ofstream file(options.output, std::ios::binary | std::ios::trunc);
    file << WriteSvg(drawing.primitives, page);
    file.close();
    return static_cast<bool>(file);
}

}  // namespace vx::cli
