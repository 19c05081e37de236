#include "cli/plot_options.h"

#include <algorithm>
#include <fstream>

#include "model/number_format.h"
#include "model/text_split.h"
#include "plot/graph_options.h"
#include "plot/plot_layout.h"
#include "plot/svg_writer.h"
#include "report/summary_text.h"
#include "session/design_session.h"

namespace vx::cli {

namespace {

bool LooksNumeric(const std::string& item) {
    return std::any_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
}

OptionAction NumberList(const std::string& option, std::size_t limit,
                        std::vector<std::string>& out) {
    return [option, limit, &out](const std::string& value) {
        out = SplitText(value, ',');
        if (out.size() > limit) {
            return option + " takes at most " + FormatInt(static_cast<long long>(limit)) +
                   " values";
        }
        for (const std::string& item : out) {
            if (!LooksNumeric(item)) {
                return option + ": '" + item + "' is not a number";
            }
        }
        return std::string();
    };
}

OptionAction Size(const std::string& option, int& out) {
    return [option, &out](const std::string& value) {
        const long long n = ParseInt(value);
        if (n < 200 || n > 20000) {
            return option + " takes a size from 200 to 20000 pixels";
        }
        out = static_cast<int>(n);
        return std::string();
    };
}

std::string ParseCurves(const std::string& value, std::optional<CurveSelection>& out) {
    CurveSelection selection{false, false, false, false};
    if (value != "none") {
        for (const std::string& item : SplitText(value, ',')) {
            if (item == "filter") {
                selection.filter = true;
            } else if (item == "target") {
                selection.target = true;
            } else if (item == "traditional") {
                selection.traditional = true;
            } else if (item == "delay") {
                selection.delay = true;
            } else {
                return "--curves-shown: unknown curve '" + item +
                       "' (filter, target, traditional, delay or none)";
            }
        }
    }
    out = selection;
    return {};
}

}  // namespace

OptionGroup PlotOptionGroup(PlotOptions& o) {
    constexpr OptionValue kValue = OptionValue::REQUIRED;
    return {
        "",
        {
            TextOption("--plot", "  --plot OUT.svg          write the response plot as SVG\n",
                       o.output),
            {"--width", kValue,
             "  --width W, --height H   picture size in pixels (default 1000 x 700)\n",
             Size("--width", o.width)},
            {"--height", kValue, "", Size("--height", o.height)},
            {"--marks-freq", kValue,
             "  --marks-freq F1,F2,...  up to 6 frequency marks in Hz (prefix letters allowed: "
             "1.5k)\n",
             NumberList("--marks-freq", kFrequencyMarks, o.frequencyMarks)},
            {"--marks-level", kValue, "  --marks-level L1,...    up to 4 amplitude marks in dB\n",
             NumberList("--marks-level", kAmplitudeMarks, o.levelMarks)},
            {"--curves-shown", kValue,
             "  --curves-shown LIST     filter,target,traditional,delay (or none)\n",
             [&o](const std::string& value) { return ParseCurves(value, o.curves); }},
        }};
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
    const SvgOptions svg;
    const PlotDrawing drawing = layout.Draw(page, PlotScale::ForFontSize(svg.fontSize));
    std::ofstream file(options.output, std::ios::binary | std::ios::trunc);
    file << WriteSvg(drawing.primitives, page, svg);
    file.close();
    return static_cast<bool>(file);
}

}  // namespace vx::cli
