#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/design_options.h"
#include "cli/plot_options.h"
#include "cli/progress_monitor.h"
#include "cli/spice_options.h"
#include "files/specification_writer.h"
#include "report/curves_csv.h"
#include "report/dimensioning_text.h"
#include "report/filter_parameter_rows.h"
#include "report/html_report.h"
#include "structures/design_session.h"
#include "structures/stored_capacitor_prompt.h"

namespace vx::cli {

namespace {

constexpr const char* kCommand = "design";

// One thing to do with a finished design; returns an exit status, 0 to go on.
using PostDesignStep = std::function<int(CDesignSession&, const DesignOptions&)>;

int PrintResult(CDesignSession& session, const DesignOptions& /*options*/) {
    std::string text = DimensioningText(session.Filter(), session.OpAmps());
    text += "\n\n";
    for (const auto& row : FilterParameterRows(*session.Current())) {
        for (size_t k = 0; k < row.size(); ++k) {
            text += row[k];
            text += k + 1 < row.size() ? '\t' : '\n';
        }
    }
    std::fputs(text.c_str(), stdout);
    return 0;
}

int WriteCurves(CDesignSession& session, const DesignOptions& options) {
    const CFilter& f = session.Filter();
    if (!WriteTextFile(options.curvesPath,
                       CurvesCsv(session.Curves(), f.Frequency(), f.PlotMin(), f.PlotMax(),
                                 f.Structure() != StructureKind::SALLEN_KEY_X))) {
        return UsageError(kCommand, "cannot write " + options.curvesPath);
    }
    return 0;
}

int SaveBack(CDesignSession& session, const DesignOptions& options) {
    if (const auto message =
            SaveSpecification(options.savePath, session.Filter(), session.Character(),
                              session.OpAmps(), options.designer)) {
        PrintMessage(*message);
        return 2;
    }
    return 0;
}

// The page is named after the file without its extension; the picture goes beside it.
int WriteHtml(CDesignSession& session, const DesignOptions& options) {
    const std::filesystem::path path(options.htmlPath);
    const HtmlReportContent content{session.Filter(), session.Character(), session.OpAmps(),
                                    *session.Current(), options.designer};
    if (const auto message = SaveHtmlReport(path.parent_path(), path.stem().string(), content)) {
        PrintMessage(*message);
        return 2;
    }
    return 0;
}

int WritePlot(CDesignSession& session, const DesignOptions& options) {
    if (!WritePlotSvg(session, options.plot)) {
        return UsageError(kCommand, "cannot write " + options.plot.output);
    }
    return 0;
}

int WriteSpice(CDesignSession& session, const DesignOptions& options) {
    if (const auto message = WriteSpiceFiles(session, options.spice)) {
        PrintMessage(*message);
        return 2;
    }
    return 0;
}

int Verify(CDesignSession& session, const DesignOptions& options) {
    return VerifySpice(session, options.spice, stdout, stderr);
}

std::vector<PostDesignStep> PostDesignSteps(const DesignOptions& options) {
    std::vector<PostDesignStep> steps;
    if (!options.quiet) {
        steps.emplace_back(PrintResult);
    }
    if (!options.curvesPath.empty()) {
        steps.emplace_back(WriteCurves);
    }
    if (!options.savePath.empty()) {
        steps.emplace_back(SaveBack);
    }
    if (!options.htmlPath.empty()) {
        steps.emplace_back(WriteHtml);
    }
    if (!options.plot.output.empty()) {
        steps.emplace_back(WritePlot);
    }
    if (options.spice.mode != 0) {
        steps.emplace_back(WriteSpice);
    }
    if (options.spice.verify) {
        steps.emplace_back(Verify);
    }
    return steps;
}

// The plot range decides the grid of the curves, so it is set before the design (loading a
// specification leaves it alone).
int ApplyPlotRange(CFilter& filter, const DesignOptions& options) {
    if (!options.fmin && !options.fmax) {
        return 0;
    }
    const double fmin = options.fmin.value_or(filter.PlotMin());
    const double fmax = options.fmax.value_or(filter.PlotMax());
    if (!filter.SetPlotRange(fmin, fmax)) {
        return UsageError(kCommand, "plot range refused: it needs 0.01 <= fmin < 1 < fmax <= 100");
    }
    return 0;
}

}  // namespace

int RunDesign(const Args& args) {
    const ParsedDesignOptions parsed = ParseDesignOptions(args);
    if (!parsed.error.empty()) {
        return UsageError(kCommand, parsed.error);
    }
    const DesignOptions& options = parsed.options;
    if (options.help) {
        std::fputs(DesignHelp().c_str(), stdout);
        return 0;
    }

    CDesignSession session;
    session.SetSearchOptions({options.threads, true});
    CFilter& filter = session.Filter();
    if (const int status = ApplyPlotRange(filter, options)) {
        return status;
    }
    ApplyPlotOptions(options.plot, filter);
    filter.filterparamsInOutput = options.filterParams;
    StoredCapacitorPrompt prompt;
    LoadResult result;
    {
        ProgressMonitor monitor(!options.quiet);
        result = session.LoadAndDesign(options.file, monitor, prompt);
    }
    for (const UserMessage& m : prompt.Notices()) {
        PrintMessage(m);
    }
    for (const UserMessage& m : result.messages) {
        PrintMessage(m);
    }
    if (result.outcome == LoadOutcome::CAPACITORS_REFUSED && prompt.Error()) {
        PrintMessage(*prompt.Error());
    }
    if (result.outcome != LoadOutcome::DESIGNED) {
        return 2;
    }
    for (const PostDesignStep& step : PostDesignSteps(options)) {
        if (const int status = step(session, options)) {
            return status;
        }
    }
    return 0;
}

}  // namespace vx::cli
