#include <cstdio>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

#include "analysis/noise/noise_text.h"
#include "analysis/tolerance_analysis.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/design_options.h"
#include "cli/plot_options.h"
#include "cli/progress_monitor.h"
#include "cli/search_options.h"
#include "cli/spice_options.h"
#include "files/specification_writer.h"
#include "model/search_method_text.h"
#include "report/curves_csv.h"
#include "report/dimensioning_text.h"
#include "report/filter_parameter_rows.h"
#include "report/html_report.h"
#include "report/tolerance_csv.h"
#include "report/tolerance_rows.h"
#include "session/design_session.h"
#include "session/stored_capacitor_prompt.h"
#include "spice/parts_list.h"
#include "spice/parts_list_csv.h"

namespace vx::cli {

namespace {

constexpr const char* kCommand = "design";

// A finished design and what was asked of it.
struct DesignRun {
    CDesignSession& session;
    const DesignOptions& options;
    std::optional<ToleranceResult> tolerance;  // when the analysis was asked for
    std::optional<NoiseStudy> noise;           // when the figures were asked for
    std::optional<FilterDynamics> dynamics;    // once an output needs it

    const FilterDynamics& Dynamics() {
        if (!dynamics) {
            dynamics = session.Dynamics();
        }
        return *dynamics;
    }
};

// One thing to do with a finished design; returns an exit status, 0 to go on.
using PostDesignStep = std::function<int(DesignRun&)>;

int PrintResult(DesignRun& run) {
    CDesignSession& session = run.session;
    std::string text = DimensioningText(session.Filter(), session.OpAmps());
    if (const std::optional<std::string> search = SearchMethodLine(session.Filter())) {
        text += "\n\n" + *search;
    }
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

int WriteCurves(DesignRun& run) {
    const DesignOptions& options = run.options;
    const CFilter& f = run.session.Filter();
    if (!WriteTextFile(options.curvesPath,
                       CurvesCsv(run.session.Curves(), run.Dynamics(), f.Frequency(), f.PlotMin(),
                                 f.PlotMax(), f.Structure() != StructureKind::SALLEN_KEY_X))) {
        return UsageError(kCommand, "cannot write " + options.curvesPath);
    }
    return 0;
}

int WriteStep(DesignRun& run) {
    if (!WriteTextFile(run.options.stepPath, StepCsv(run.Dynamics()))) {
        return UsageError(kCommand, "cannot write " + run.options.stepPath);
    }
    return 0;
}

int SaveBack(DesignRun& run) {
    const CDesignSession& session = run.session;
    if (const auto message =
            SaveSpecification(run.options.savePath, session.Filter(), session.Character(),
                              session.OpAmps(), run.options.designer)) {
        PrintMessage(*message);
        return 2;
    }
    return 0;
}

// The page keeps the name given; the picture goes beside it, named after the page's stem.
int WriteHtml(DesignRun& run) {
    CDesignSession& session = run.session;
    const HtmlReportContent content{session.Filter(),     session.Character(),
                                    session.OpAmps(),     *session.Current(),
                                    run.options.designer, run.tolerance ? &*run.tolerance : nullptr,
                                    session.Findings(),   run.noise ? &*run.noise : nullptr};
    if (const auto message = SaveHtmlReport(run.options.htmlPath, content)) {
        PrintMessage(*message);
        return 2;
    }
    return 0;
}

int WritePartsList(DesignRun& run) {
    const std::string& path = run.options.partsListPath;
    const CDesignSession& session = run.session;
    if (!WriteTextFile(path, PartsListCsv(PartsList(session.Filter(), session.OpAmps())))) {
        return UsageError(kCommand, "cannot write " + path);
    }
    return 0;
}

int WritePlot(DesignRun& run) {
    if (!WritePlotSvg(run.session, run.options.plot,
                      run.tolerance ? &run.tolerance->band : nullptr)) {
        return UsageError(kCommand, "cannot write " + run.options.plot.output);
    }
    return 0;
}

int WriteSpice(DesignRun& run) {
    if (const auto message = WriteSpiceFiles(run.session, run.options.spice)) {
        PrintMessage(*message);
        return 2;
    }
    return 0;
}

int Verify(DesignRun& run) {
    return VerifySpice(run.session, run.options.spice, stdout, stderr);
}

// Runs the analysis; its result serves the steps that follow.
int AnalyseTolerances(DesignRun& run) {
    const DesignOptions& options = run.options;
    const ToleranceSettings settings =
        SettingsFor(options.tolerance, run.session.Filter(), options.threads);
    ToleranceRun analysis;
    {
        ProgressMonitor monitor(!options.quiet, [](const DesignProgress& p) {
            return ToleranceProgressLine(p.percent);
        });
        analysis = CToleranceAnalysis(run.session, settings).Run(monitor);
    }
    if (analysis.outcome != ToleranceOutcome::DONE) {
        if (analysis.message) {
            PrintMessage(*analysis.message);
        }
        return 2;
    }
    run.tolerance = std::move(analysis.result);
    return 0;
}

int PrintTolerances(DesignRun& run) {
    std::fputs("\n", stdout);
    std::fputs(ToleranceText(*run.tolerance).c_str(), stdout);
    return 0;
}

int WriteToleranceCsv(DesignRun& run) {
    const CFilter& f = run.session.Filter();
    const std::string& path = run.options.tolerance.csvPath;
    if (!WriteTextFile(path, ToleranceCsv(run.session.Curves().filter, run.tolerance->band,
                                          f.Frequency(), f.PlotMin(), f.PlotMax()))) {
        return UsageError(kCommand, "cannot write " + path);
    }
    return 0;
}

int StudyAndPrintNoise(DesignRun& run) {
    SilentMonitor monitor;
    const NoiseStudy& study =
        run.noise.emplace(StudyNoise(run.session, run.options.noise.settings, monitor));
    if (!run.options.quiet) {
        std::fputs("\n", stdout);
        for (const std::string& line : NoiseReportLines(study)) {
            std::fputs((line + "\n").c_str(), stdout);
        }
    }
    const std::string& path = run.options.noise.csvPath;
    if (!path.empty() && !WriteTextFile(path, NoiseCsv(study.chosen.spectrum))) {
        return UsageError(kCommand, "cannot write " + path);
    }
    return 0;
}

std::vector<PostDesignStep> PostDesignSteps(const DesignOptions& options) {
    std::vector<PostDesignStep> steps;
    if (!options.quiet) {
        steps.emplace_back(PrintResult);
    }
    if (options.tolerance.enabled) {
        steps.emplace_back(AnalyseTolerances);
        if (!options.quiet) {
            steps.emplace_back(PrintTolerances);
        }
        if (!options.tolerance.csvPath.empty()) {
            steps.emplace_back(WriteToleranceCsv);
        }
    }
    if (options.noise.enabled) {
        steps.emplace_back(StudyAndPrintNoise);
    }
    if (!options.curvesPath.empty()) {
        steps.emplace_back(WriteCurves);
    }
    if (!options.stepPath.empty()) {
        steps.emplace_back(WriteStep);
    }
    if (!options.savePath.empty()) {
        steps.emplace_back(SaveBack);
    }
    if (!options.htmlPath.empty()) {
        steps.emplace_back(WriteHtml);
    }
    if (!options.partsListPath.empty()) {
        steps.emplace_back(WritePartsList);
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

    const auto search = ReadSearchOverride(options.search, options.window);
    if (const std::string* error = std::get_if<std::string>(&search)) {
        return UsageError(kCommand, *error);
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
        result =
            session.LoadAndDesign(options.file, monitor, prompt, std::get<SearchOverride>(search));
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
    for (const std::string& finding : session.Findings()) {
        std::fprintf(stderr, "Warnung: %s\n", finding.c_str());
    }
    DesignRun run{session, options, std::nullopt, std::nullopt, std::nullopt};
    for (const PostDesignStep& step : PostDesignSteps(options)) {
        if (const int status = step(run)) {
            return status;
        }
    }
    return 0;
}

}  // namespace vx::cli
