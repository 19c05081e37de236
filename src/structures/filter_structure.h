#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/filter.h"
#include "model/user_message.h"
#include "response/filter_dynamics.h"
#include "response/response_accumulator.h"
#include "response/show_fregang.h"
#include "structures/capacitors/capacitor_prompt.h"
#include "structures/design_monitor.h"
#include "structures/opamp_params.h"
#include "structures/search/combination_line.h"
#include "structures/search/grid_search.h"
#include "structures/search/line_screen.h"
#include "structures/search/safe_magnitude.h"
#include "structures/search/search_options.h"
#include "structures/stage_context.h"

namespace vx {

class CCharacter;
class COpv;

// One row of the filter-parameter table: stage, Q, fp, fp/fg, gain.
using StageTableRow = std::array<std::string, 5>;

// How a stage's search ended, by the search's own error (ResponseError against the stage's
// target, computed from the values, not taken from the search): the error of the rounded values
// and of the values stored. The stage keeps its rounded values when its search ended worse
// (byStage) or when the whole filter ends closer to its target with them (byFilter).
struct StageOutcome {
    double roundedError = 0.0;
    double finalError = 0.0;
    bool roundedByStage = false;
    bool roundedByFilter = false;
    // The impedance window the search over every combination ended with: wider than the
    // specified one where that held no combination; 0 where the neighbours were searched.
    double window = 0.0;
};

// The values of a stage the driver keeps while it designs: exact, rounded, and final (after the
// search).
enum class StageVersion { EXACT, ROUNDED, FINAL };

// A circuit structure: turns the specification into dimensioned stages. The base class holds
// the design context and the driver (stage targets, gain distribution, the stage loops and the
// response curves); each concrete class supplies the circuit's equations and searches.
//
// Everything a design touches lives in this object, the attached record and curves, so two
// structures attached to different records can design side by side on different threads.
class CFilterStructure : private SearchHost {
  public:
    explicit CFilterStructure(int gridPoints);
    virtual ~CFilterStructure() = default;
    CFilterStructure(const CFilterStructure&) = delete;
    CFilterStructure& operator=(const CFilterStructure&) = delete;

    // Connects the objects of the run (not owned).
    void Attach(CFilter& filter, const COpv& opv, const CCharacter& character,
                ResponseCurves& curves);

    // Sum over the error grid of (|H| - target)^4 with the current values and op-amp.
    virtual double ResponseError() const;
    // The largest deviation from the target over the error grid (see CErrorGrid::Deviation).
    double ResponseDeviation() const;
    // Searches every combination of standard values within the impedance window, widened until
    // it holds one, and leaves the winner as the current values.
    // Returns the window that held the winner; 0 where the structure has no such search or none
    // was found, so that the neighbour search runs instead.
    virtual double SearchCombinations(bool fixedCapacitors);
    // Stage loop for capacitors entered by the user.
    virtual void DesignWithFixedCapacitors();
    // Stage loop with capacitors searched.
    virtual void DesignWithCapacitorSearch();
    // Target magnitudes of the current (exact) stage on the error grid, ideal op-amp.
    virtual void StoreTarget();
    // Writes the current stage's values into the record under `stage`.
    virtual void StoreStageValues(int stage) = 0;
    // Dimensions the current stage from capacitors: asked (ask) or the stored ones, checked.
    // Returns false when the user cancels.
    virtual bool EnterCapacitors(bool ask, CapacitorPrompt& prompt) = 0;
    // Captions of the two capacitors the user chooses (second may be empty).
    virtual std::pair<std::string, std::string> CapacitorLabels() const = 0;
    virtual double StoredCapacitor(int stage, int which) const = 0;
    // Smallest value the user may choose for capacitor `which` of `stage`, given the first.
    virtual double MinimumCapacitor(int stage, int which, double firstCapacitor) const = 0;
    // H(jw) of the current stage with its current values and the current op-amp numbers.
    virtual Complex StageTransfer(double w) const = 0;
    // H(s) of the current stage anywhere in the s-plane.
    virtual Complex StageTransferAt(Complex s) const = 0;
    // Exact dimensioning: standard capacitors, unrounded resistors.
    virtual void DesignStage() = 0;
    virtual void SearchCapacitors() = 0;
    virtual void SearchResistors() = 0;
    // Resistors for the given capacitors; stores the stage.
    virtual void DesignFromCapacitors(int stage, double c1, double c2) = 0;
    virtual void LoadStageValues(int stage) = 0;
    virtual void RoundResistors() = 0;
    // Recomputes the four curves from the stored values, stage by stage.
    virtual void RecomputeCurves();
    // The response grid from `lower` to `upper` times the filter frequency instead of the
    // record's plot range, until the next Prepare: a zoomed diagram.
    void SetCurveRange(double lower, double upper);
    // The design's stages as rational functions (see DesignTransfers), from the stored values as
    // RecomputeCurves takes them. A stage that is not rational of a degree within reach leaves
    // its list short.
    virtual DesignTransfers CaptureTransfers();
    // Fills the stage records from the coefficients, every stage with `stageGain`.
    virtual void SetStageTargets(double stageGain) = 0;

    // Reads the specification, fetches the coefficients and distributes the gain. Returns
    // false when the band-pass gain limit had to lower the total gain. Entered stage gains a
    // Sallen-Key stage cannot give set Failure().
    bool Prepare();
    // Every run of Prepare that lowers the band-pass gain takes at least 0.0087 dB off (the
    // limit's tolerance of 0.1 %), and the gain may not fall below the lowest the input accepts,
    // so a few dozen runs settle any specification; this bound only guards that reasoning.
    static constexpr int kMaxPrepareRuns = 100;
    // Prepare until it succeeds, at most `maxRuns` times, then reset the curves. After the last
    // run the stage gains are within their limits and give the lowered total gain, so the design
    // goes on with them. Returns false when the specification cannot be designed (Failure() says
    // why; a lowered gain is then restored).
    bool PrepareUntilStable(int maxRuns = kMaxPrepareRuns);
    // The whole design run; ends with MarkDesigned on the record. Returns false when the
    // specification cannot be designed: Failure() says why and the record is CANCELLED.
    bool Design(DesignMonitor& monitor);
    // For each stage EnterCapacitors, then StoreStageValues; false at the first cancel, or at a
    // stage that cannot be dimensioned (Failure() says why).
    bool EnterAllCapacitors(bool ask, CapacitorPrompt& prompt);
    // Why the last design or capacitor entry could not be done; nothing once it could.
    const std::optional<UserMessage>& Failure() const { return failure_; }

    double StageGain(int stage) const;
    const StageRecord& Record(int stage) const {
        return context_.stages[static_cast<size_t>(stage)];
    }
    // Stage indices above 14 are ignored.
    void SetStageRecord(double fp, double qp, double gain, int stage);
    int StageCount() const { return context_.stageCount; }
    // Number of stage records the last Prepare filled (the third-order structure lists its
    // one stage as two sections).
    int RecordCount() const { return recordCount_; }

    // |H(jw)| of the current stage, overflow-safe.
    double Magnitude(double w) const;
    // -dphi/dw by a central difference with the relative step 1.0001.
    double GroupDelay(double w) const;
    // Product of the stage magnitudes of the design stored in the record at w, with the selected
    // op-amp. Prepares the structure as a design does but leaves the curves alone.
    double StoredMagnitude(double w);
    std::vector<StageTableRow> FormatStageTable() const;

    double CoefficientA(int stage) const { return context_.a[static_cast<size_t>(stage)]; }
    double CoefficientB(int stage) const { return context_.b[static_cast<size_t>(stage)]; }
    bool IsFirstOrderStage(int stage) const {
        return IsFirstOrder(context_.b[static_cast<size_t>(stage)]);
    }
    int CurrentStage() const { return context_.currentStage; }
    // How the search of `stage` ended in the last design run.
    const StageOutcome& Outcome(int stage) const { return outcomes_[static_cast<size_t>(stage)]; }
    const std::vector<double>& Grid() const { return context_.grid.Omegas(); }
    const std::vector<double>& Target() const { return context_.grid.Targets(); }
    const OpAmpParams& OpAmp() const { return context_.opAmp; }
    // The amplifier the evaluations use until the next Prepare (a tolerance analysis varies it).
    void SetOpAmp(const OpAmpParams& opAmp) { context_.opAmp = opAmp; }

    // Selects the stage the per-stage operations work on (index and first-order flag).
    void SelectStage(int stage);

    // How the searches run (threads, pruning); the result does not depend on it.
    void SetSearchOptions(const SearchOptions& options) { searchOptions_ = options; }
    const SearchOptions& GetSearchOptions() const { return searchOptions_; }

  protected:
    // Keeps the current stage's values as `version` of `stage`.
    virtual void KeepStageValues(int stage, StageVersion version) = 0;
    // Makes the kept `version` of `stage` the current values.
    virtual void RecallStageValues(int stage, StageVersion version) = 0;
    void RecordOutcome(int stage, const StageOutcome& outcome) {
        outcomes_[static_cast<size_t>(stage)] = outcome;
    }

    // `count` standard values of the series upwards from the one nearest to `from`.
    static std::vector<double> SeriesRun(double from, int count, int series);
    // A search round is accepted when the best value lies within [2, 50] times the lowest value
    // of its range (0.2 to 5 times the centre); otherwise the search is centred on it again.
    static bool WithinSearchRange(double value, double rangeStart) {
        return value >= 2.0 * rangeStart && value <= 50.0 * rangeStart;
    }
    // The search over standard values (see CGridSearch) against bestError_, with the search
    // options of this structure. Returns whether a better candidate was found (its indices are in
    // `best`, its error in bestError_).
    template <size_t D, class Evaluate>
    bool SearchGrid(const std::array<int, D>& sizes, Evaluate&& evaluate,
                    std::array<int, D>& best) {
        return CGridSearch(searchOptions_, *this).Run(sizes, evaluate, bestError_, best);
    }
    // The same with screened search lines (see CGridSearch::RunLines).
    template <size_t D, class MakeLine>
    bool SearchLines(const std::array<int, D>& sizes, MakeLine&& makeLine,
                     std::array<int, D>& best) {
        return CGridSearch(searchOptions_, *this).RunLines(sizes, makeLine, bestError_, best);
    }

    // The deviation the neighbour search reached for the current stage, which the next
    // WidenUntilFound must reach too.
    void SetNeighbourDeviation(double deviation) { neighbourDeviation_ = deviation; }
    // The capacitors the search over every combination steps through: two decades of E12
    // around `exact`.
    static std::vector<double> CapacitorAxis(double exact);
    // Its resistors: two decades of the series around `exact`, those within the window.
    std::vector<double> ResistorAxis(double exact, double window) const;
    // Runs `search(window)` (true once it has set the best combination of the window as the
    // current values) from the specified window, widening it as long as it holds no
    // combination at least as close to the target as the rounded values and the neighbour
    // search's (see SetNeighbourDeviation): a window that only holds worse ones would end the
    // search below what plain rounding or the neighbours give. Each run starts from the
    // rounded values, which stay where no window up to the widest holds one. Returns the window
    // that did, 0 for none (or a cancel).
    template <class Search>
    double WidenUntilFound(Search&& search) {
        const double goal = std::min(ResponseDeviation(), neighbourDeviation_);
        neighbourDeviation_ = INFINITY;
        // Only candidates within the goal count, so that a window that holds none is done with
        // quickly: the screens drop nearly every line at once.
        combinationLimit_ = std::nextafter(goal, INFINITY);
        const int stage = context_.currentStage;
        for (double window = context_.window; window <= kWidestImpedanceWindow;
             window *= kImpedanceWindowStep) {
            RecallStageValues(stage, StageVersion::ROUNDED);
            if (search(window) && ResponseDeviation() <= goal) {
                return window;
            }
            if (cancelled_) {
                break;
            }
            IncrementRetry();
        }
        RecallStageValues(stage, StageVersion::ROUNDED);
        return 0.0;
    }
    // Every combination of the axes in two passes (see CombinationLine): `makeLine(tie, watch)`
    // gives a line of the pass. Returns whether a combination with a deviation below the limit
    // that WidenUntilFound sets can be built; its indices are then in `best`.
    template <size_t D, class MakeLine>
    bool SearchEveryCombination(const std::array<int, D>& sizes, MakeLine&& makeLine,
                                std::array<int, D>& best) {
        double deviation = combinationLimit_;
        CTieWatch<D> watch;
        CGridSearch(searchOptions_, *this)
            .RunLines(
                sizes, [&] { return makeLine(INFINITY, &watch); }, deviation, best);
        if (cancelled_ || !(deviation < INFINITY)) {
            return false;
        }
        if (!watch.Tied(deviation)) {
            return true;
        }
        double sum = INFINITY;
        CGridSearch(searchOptions_, *this)
            .RunLines(
                sizes, [&] { return makeLine(deviation, nullptr); }, sum, best);
        return !cancelled_;
    }

    // The same over `axes`, one per field of `fields` (the last one along the lines, `u` its
    // screen's variable), with CombinationLine's `kernel` and `screen`, from the values `v`. Sets
    // the winner's values in `v`; false when an axis is empty or nothing was found.
    template <class Values, size_t D, class Kernel>
    bool SearchCombinationAxes(const std::array<double Values::*, D>& fields,
                               const std::array<std::vector<double>, D>& axes,
                               const std::vector<double>& u, const Kernel& kernel,
                               const CLineScreen& screen, Values& v) {
        std::array<int, D> sizes{};
        for (size_t d = 0; d < D; ++d) {
            sizes[d] = static_cast<int>(axes[d].size());
            if (sizes[d] == 0) {
                return false;
            }
        }
        const Values start = v;
        std::array<int, D> best{};
        const bool found = SearchEveryCombination<D>(
            sizes,
            [&](double tie, CTieWatch<D>* watch) {
                return CombinationLine<Values, D, Kernel>{
                    context_.grid, fields, axes, u, kernel, screen, tie, start, watch};
            },
            best);
        if (found) {
            for (size_t d = 0; d < D; ++d) {
                v.*fields[d] = axes[d][static_cast<size_t>(best[d])];
            }
        }
        return found;
    }

    // The E12 capacitor nearest to `target`; not a number when the rounding gives none (a
    // target not above 0 or below its zero limit), so that the check of the stage refuses it.
    static double StandardCapacitor(double target);
    // Every value of the current stage is a finite number.
    virtual bool StageValuesFinite() const = 0;
    // Refuses the design when a value of the current stage is not a finite number: its exact
    // dimensioning left the range of numbers. `stage` names it in the message.
    bool CheckStage(int stage);
    // Ends the design with the message for the user (the first failure is kept).
    void Fail(const UserMessage& message);

    // Asks for one capacitor of the current stage with its proposal raised to the minimum;
    // false on cancel, or when the stage could not be dimensioned for a proposal.
    bool Ask(CapacitorPrompt& prompt, const std::string& caption, double minimum, double& value);
    // Smallest second capacitor of a pair whose ratio second/first must reach `ratio` (a
    // thousandth above it, four significant digits, never below the ratio).
    static double PairMinimum(double ratio, double first);
    // Asks for such a pair, the second with its minimum and an E12 proposal at or above it;
    // false on cancel.
    bool AskCapacitorPair(CapacitorPrompt& prompt, const std::string& firstCaption,
                          const std::string& secondCaption, double ratio, double& first,
                          double& second);
    // A stored pair that falls short of the ratio goes to the user for repair; false on cancel.
    bool RepairCapacitorPair(CapacitorPrompt& prompt, double ratio, double& first,
                             double& second) const;
    // The capacitors of a low-pass stage whose C2/C1 must reach `ratio`: asked from the exact
    // design's proposals, or the stored ones checked (a first-order stage has C1 only).
    bool EnterLowPassCapacitors(bool ask, CapacitorPrompt& prompt, double ratio, double& c1,
                                double& c2);

    // Reports progress to the monitor and picks up a cancel; sets the record CANCELLED then.
    // Returns whether the design has been cancelled.
    bool PumpMessages() override;
    void SetProgress(long long count, long long total) override;
    void IncrementRetry();
    // A stage's progress starts anew.
    void ResetProgress() {
        retry_ = 0;
        progress_ = 0;
    }
    // Starts a search from the current values: their error is the one to beat, and no cancel
    // is pending. Returns that error.
    double StartSearch() {
        bestError_ = ResponseError();
        cancelled_ = false;
        return bestError_;
    }
    bool Cancelled() const { return cancelled_; }
    // The error a search must beat.
    double BestError() const { return bestError_; }
    void SetBestError(double error) { bestError_ = error; }

    // The stage's share of the four curves (see CResponseAccumulator); the magnitude curves
    // return the stage's samples.
    void ResetCurves();
    void AccumulateTargetResponse();
    std::vector<double> AccumulateTraditionalResponse();
    std::vector<double> AccumulateFilterResponse();
    void AccumulateGroupDelay();
    // Runs f with the ideal op-amp numbers, restoring the selected ones afterwards.
    template <class F>
    void WithIdealOpAmp(F&& f) {
        const OpAmpParams saved = context_.opAmp;
        context_.opAmp = OpAmpParams::Ideal();
        f();
        context_.opAmp = saved;
    }

    // What the current stage's dimensioning and search need of the design.
    const StageContext& Context() const { return context_; }
    // The error grid, for a structure with a grid of its own or a target made of two.
    CErrorGrid& MutableGrid() { return context_.grid; }
    // The targets on the error grid: the current stage's magnitudes with the ideal op-amp.
    void SetIdealTargets();
    // Low-pass and high-pass stage targets from the first `records` coefficient pairs.
    void SetLowHighPassTargets(double stageGain, bool highPass, int records);

    CFilter& Filter() const { return *filter_; }
    // The transfers' grid and frequency, without stages.
    DesignTransfers EmptyTransfers() const;
    // Appends the current stage's transfer function with the current op-amp, when it fits.
    void AppendTransfer(std::vector<RationalStage>& stages) const;

  private:
    friend class CStageLoop;

    // The ideal op-amp's list entry is not used for computations "with an ideal amplifier".
    void ReadSpecification();
    void FetchCoefficients();
    void DistributeGain();
    // Prepare until it succeeds, at most `maxRuns` times (see PrepareUntilStable).
    bool PrepareStable(int maxRuns);
    ResponseCurves& Curves() const { return *curves_; }
    // Logarithmic error grid from fg/2 to 2 fg.
    void SetLogGrid();
    // The curve accumulation of this run's response grid.
    CResponseAccumulator Accumulator() const;
    std::vector<double> AccumulateMagnitude(CShowFregang& curve) const;

    StageContext context_;
    double bestError_ = 0.0;
    // The deviation a combination must stay below (see WidenUntilFound).
    double combinationLimit_ = INFINITY;
    double neighbourDeviation_ = INFINITY;
    bool cancelled_ = false;
    double gridFactor_ = 1.0;
    double lowerPlotLimit_ = 0.5;
    bool optimizeCapacitors_ = true;
    int opAmpIndex_ = 0;
    int progress_ = 0;
    int retry_ = 0;
    int recordCount_ = 0;
    double curveFactor_ = 1.0;
    FilterType filterType_ = FilterType::LOWPASS;
    double halfOmegaG_ = 0.0;
    SearchOptions searchOptions_;
    CFilter* filter_ = nullptr;
    const COpv* opv_ = nullptr;
    const CCharacter* character_ = nullptr;
    ResponseCurves* curves_ = nullptr;
    DesignMonitor* monitor_ = nullptr;
    std::optional<UserMessage> failure_;
    std::array<StageOutcome, kMaxStages> outcomes_{};
};

}  // namespace vx
