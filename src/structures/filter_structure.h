#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "analysis/show_fregang.h"
#include "model/filter.h"
#include "structures/capacitor_prompt.h"
#include "structures/design_monitor.h"
#include "structures/opamp_params.h"
#include "structures/safe_magnitude.h"
#include "structures/search_blocks.h"
#include "structures/search_options.h"

namespace vx {

class CCharacter;
class COpv;

// Target of one stage: pole frequency fp in Hz, pole quality (-1 for a first-order stage) and
// linear stage gain (the magnitude for inverting structures).
struct StageRecord {
    double poleFrequency = 0.0;
    double poleQuality = -1.0;
    double gain = 1.0;
};

// One row of the filter-parameter table: stage, Q, fp, fp/fg, gain.
using StageTableRow = std::array<std::string, 5>;

// A circuit structure: turns the specification into dimensioned stages. The base class holds
// the design context and the driver (stage targets, gain distribution, the stage loops and the
// response curves); each concrete class supplies the circuit's equations and searches.
//
// Everything a design touches lives in this object, the attached record and curves, so two
// structures attached to different records can design side by side on different threads.
class CFilterStructure {
  public:
    static constexpr int kMaxStages = 15;

    explicit CFilterStructure(int gridPoints);
    virtual ~CFilterStructure() = default;
    CFilterStructure(const CFilterStructure&) = delete;
    CFilterStructure& operator=(const CFilterStructure&) = delete;

    // Connects the objects of the run (not owned).
    void Attach(CFilter& filter, const COpv& opv, const CCharacter& character,
                ResponseCurves& curves);

    // Sum over the error grid of (|H| - target)^4 with the current values and op-amp.
    virtual double ResponseError() const;
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
    // Fills the stage records from the coefficients, every stage with `stageGain`.
    virtual void SetStageTargets(double stageGain) = 0;

    // Reads the specification, fetches the coefficients and distributes the gain. Returns
    // false when the band-pass gain limit had to lower the total gain.
    bool Prepare();
    // Prepare until it succeeds, then reset the curves.
    void PrepareUntilStable();
    // The whole design run; ends with MarkDesigned on the record.
    void Design(DesignMonitor& monitor);
    // For each stage EnterCapacitors, then StoreStageValues; false at the first cancel.
    bool EnterAllCapacitors(bool ask, CapacitorPrompt& prompt);

    double StageGain(int stage) const;
    const StageRecord& Record(int stage) const { return stages_[static_cast<size_t>(stage)]; }
    // Stage indices above 14 are ignored.
    void SetStageRecord(double fp, double qp, double gain, int stage);
    int StageCount() const { return stageCount_; }
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

    double CoefficientA(int stage) const { return a_[static_cast<size_t>(stage)]; }
    double CoefficientB(int stage) const { return b_[static_cast<size_t>(stage)]; }
    bool IsFirstOrderStage(int stage) const { return b_[static_cast<size_t>(stage)] <= 1e-20; }
    int CurrentStage() const { return currentStage_; }
    bool Cancelled() const { return cancelled_; }
    const std::vector<double>& Grid() const { return grid_; }
    const std::vector<double>& Target() const { return target_; }
    const OpAmpParams& OpAmp() const { return opAmp_; }
    // The amplifier the evaluations use until the next Prepare (a tolerance analysis varies it).
    void SetOpAmp(const OpAmpParams& opAmp) { opAmp_ = opAmp; }

    // Selects the stage the per-stage operations work on (index and first-order flag).
    void SelectStage(int stage);

    // How the searches run (threads, pruning); the result does not depend on it.
    void SetSearchOptions(const SearchOptions& options) { searchOptions_ = options; }
    const SearchOptions& GetSearchOptions() const { return searchOptions_; }

  protected:
    // Error of a candidate: sum over the grid of (|H(w_k)| - t_k)^4. The terms are never
    // negative, so once the partial sum exceeds `bound` the candidate cannot win and that
    // partial sum is returned; otherwise the full sum, added in grid order.
    template <class Transfer>
    double GridError(Transfer&& transfer, double bound = INFINITY) const {
        return GridErrorAt([&](size_t k) { return transfer(grid_[k]); }, bound);
    }
    // The same with H given by grid index, for transfers with per-point constants.
    template <class PointTransfer>
    double GridErrorAt(PointTransfer&& transfer, double bound = INFINITY) const {
        double sum = 0.0;
        const size_t n = grid_.size();
        for (size_t k = 0; k < n; ++k) {
            const double d = SafeMagnitude(transfer(k)) - target_[k];
            const double d2 = d * d;
            sum += d2 * d2;
            if (sum > bound) {
                return sum;
            }
        }
        return sum;
    }

    // `count` standard values of the series upwards from the one nearest to `from`.
    static std::vector<double> SeriesRun(double from, int count, int series);
    // A search round is accepted when the best value lies within [2, 50] times the lowest value
    // of its range (0.2 to 5 times the centre); otherwise the search is centred on it again.
    static bool WithinSearchRange(double value, double rangeStart) {
        return value >= 2.0 * rangeStart && value <= 50.0 * rangeStart;
    }
    // Steps through every combination of the axes in order (axis 0 outermost, the last axis
    // fastest). `evaluate(indices, bound)` gives a candidate's error, or infinity when the
    // candidate cannot be built; it may stop early and return any value above `bound`, which
    // then cannot win. Only a strictly smaller error than the best so far wins, so of equal
    // candidates the first stays. Reports progress, pumps messages and returns soon after a
    // cancel. Returns whether a better candidate was found (its indices are in `best`, its
    // error in bestError_).
    //
    // By default the candidates are split into contiguous blocks of that order, searched on
    // several threads with pruning, and the block winners are compared by error, then
    // position: the first candidate with the smallest error wins, as in the straightforward
    // search, which stays selectable through the search options.
    template <size_t D, class Evaluate>
    bool SearchGrid(const std::array<int, D>& sizes, Evaluate&& evaluate, std::array<int, D>& best);

    // Asks for one capacitor of the current stage with its proposal raised to the minimum;
    // false on cancel.
    bool Ask(CapacitorPrompt& prompt, const std::string& caption, double minimum,
             double& value) const;
    // Smallest second capacitor of a pair whose ratio second/first must reach `ratio` (a
    // thousandth above it, four significant digits).
    static double PairMinimum(double ratio, double first);
    // Asks for such a pair, the second with its minimum and an E12 proposal at or above it;
    // false on cancel.
    bool AskCapacitorPair(CapacitorPrompt& prompt, const std::string& firstCaption,
                          const std::string& secondCaption, double ratio, double& first,
                          double& second) const;
    // A stored pair that falls short of the ratio goes to the user for repair; false on cancel.
    bool RepairCapacitorPair(CapacitorPrompt& prompt, double ratio, double& first,
                             double& second) const;
    // The capacitors of a low-pass stage whose C2/C1 must reach `ratio`: asked from the exact
    // design's proposals, or the stored ones checked (a first-order stage has C1 only).
    bool EnterLowPassCapacitors(bool ask, CapacitorPrompt& prompt, double ratio, double& c1,
                                double& c2);
    // Writes or reads the named components of a stage in the record.
    void StoreComponents(int stage,
                         std::initializer_list<std::pair<ComponentSlot, double>> values) const;
    void LoadComponents(int stage,
                        std::initializer_list<std::pair<ComponentSlot, double*>> fields) const;

    // Reports progress to the monitor and picks up a cancel; sets the record CANCELLED then.
    void PumpMessages();
    void SetProgress(long long count, long long total);
    void IncrementRetry();

    // Curve accumulation over the 1501-point response grid.
    void ResetCurves();
    void AccumulateTargetResponse();
    void AccumulateTraditionalResponse();
    void AccumulateFilterResponse();
    void AccumulateGroupDelay();
    // Runs f with the ideal op-amp numbers, restoring the selected ones afterwards.
    template <class F>
    void WithIdealOpAmp(F&& f) {
        const OpAmpParams saved = opAmp_;
        opAmp_ = OpAmpParams::Ideal();
        f();
        opAmp_ = saved;
    }

    // Logarithmic error grid from fg/2 to 2 fg.
    void SetLogGrid();
    // Low-pass and high-pass stage targets from the coefficient pairs.
    void SetLowHighPassTargets(double stageGain, bool highPass);

    CFilter& Filter() const { return *filter_; }
    bool IsLowPass() const { return filterType_ == FilterType::LOWPASS; }

    std::array<double, kMaxStages> a_{};
    std::array<double, kMaxStages> b_{};
    double bestError_ = 0.0;
    bool cancelled_ = false;
    double gridFactor_ = 1.0;
    double lowerPlotLimit_ = 0.5;
    double upperPlotLimit_ = 2.0;
    double r0_ = 10000.0;
    int gridPoints_;
    int series_ = 24;
    bool optimizeCapacitors_ = true;
    int opAmpIndex_ = 0;
    int progress_ = 0;
    int retry_ = 0;
    std::vector<double> grid_;    // angular frequencies of the error grid
    std::vector<double> target_;  // exact stage magnitudes there
    std::array<StageRecord, kMaxStages> stages_{};
    int stageCount_ = 0;
    int recordCount_ = 0;
    double curveFactor_ = 1.0;
    bool firstOrder_ = false;
    int currentStage_ = 0;
    FilterType filterType_ = FilterType::LOWPASS;
    OpAmpParams opAmp_;
    double omegaG_ = 0.0;
    double halfOmegaG_ = 0.0;
    SearchOptions searchOptions_;

  private:
    // The straightforward search: every candidate in order, pumping every 20.
    template <size_t D, class Evaluate>
    bool SearchInOrder(const std::array<int, D>& sizes, long long total, Evaluate& evaluate,
                       std::array<int, D>& best);
    int SearchThreads() const;
    // The ideal op-amp's list entry is not used for computations "with an ideal amplifier".
    void ReadSpecification();
    void FetchCoefficients();
    void DistributeGain();
    // The stage loop of both capacitor modes.
    void RunStageLoop(bool fixedCapacitors);
    template <class Accumulate>
    void ForEachCurvePoint(Accumulate&& accumulate) const;
    void AccumulateMagnitude(CShowFregang& curve) const;

    CFilter* filter_ = nullptr;
    const COpv* opv_ = nullptr;
    const CCharacter* character_ = nullptr;
    ResponseCurves* curves_ = nullptr;
    DesignMonitor* monitor_ = nullptr;
};

template <size_t D, class Evaluate>
bool CFilterStructure::SearchInOrder(const std::array<int, D>& sizes, long long total,
                                     Evaluate& evaluate, std::array<int, D>& best) {
    bool improved = false;
    std::array<int, D> index{};
    for (long long count = 0; count < total; ++count) {
        const double error = evaluate(std::as_const(index), INFINITY);
        if (error < bestError_) {
            bestError_ = error;
            best = index;
            improved = true;
        }
        for (size_t d = D; d-- > 0;) {
            if (++index[d] < sizes[d]) {
                break;
            }
            index[d] = 0;
        }
        if ((count + 1) % 20 == 0) {
            SetProgress(count + 1, total);
            PumpMessages();
            if (cancelled_) {
                return improved;
            }
        }
    }
    SetProgress(total, total);
    PumpMessages();
    return improved;
}

template <size_t D, class Evaluate>
bool CFilterStructure::SearchGrid(const std::array<int, D>& sizes, Evaluate&& evaluate,
                                  std::array<int, D>& best) {
    long long total = 1;
    for (int size : sizes) {
        total *= size;
    }
    if (total <= 0) {
        return false;
    }
    if (searchOptions_.IsStraightforward()) {
        return SearchInOrder(sizes, total, evaluate, best);
    }
    // Small searches run on the calling thread; starting threads would cost more.
    constexpr long long kSmallSearch = 4096;
    constexpr long long kBlocksPerThread = 16;
    const int threads = total <= kSmallSearch ? 1 : SearchThreads();
    const long long blockCount =
        std::clamp(total / CSearchBlocks::kCheckInterval, 1LL, threads * kBlocksPerThread);
    struct Winner {
        double error;
        long long position;  // -1: nothing in the block beat the start
    };
    std::vector<Winner> winners(static_cast<size_t>(blockCount), Winner{0.0, -1});
    const double startError = bestError_;
    const bool pruning = searchOptions_.pruning;
    CSearchBlocks shared;

    auto runBlock = [&](long long block) {
        const long long begin = total / blockCount * block + std::min(block, total % blockCount);
        const long long end = begin + total / blockCount + (block < total % blockCount ? 1 : 0);
        std::array<int, D> index{};
        for (long long rest = begin, d = D; d-- > 0;) {
            index[static_cast<size_t>(d)] = static_cast<int>(rest % sizes[static_cast<size_t>(d)]);
            rest /= sizes[static_cast<size_t>(d)];
        }
        double localBest = startError;
        long long localPosition = -1;
        long long pending = 0;
        for (long long position = begin; position < end; ++position) {
            const double bound = pruning ? shared.Bound(localBest) : INFINITY;
            const double error = evaluate(std::as_const(index), bound);
            // A pruned candidate returns a value above the bound and never wins; one whose
            // error equals the bound is summed in full and kept for the comparison by position.
            if (error < localBest && !(error > bound)) {
                localBest = error;
                localPosition = position;
                shared.Offer(error);
            }
            for (size_t d = D; d-- > 0;) {
                if (++index[d] < sizes[d]) {
                    break;
                }
                index[d] = 0;
            }
            if (++pending == CSearchBlocks::kCheckInterval) {
                shared.AddDone(pending);
                pending = 0;
                if (shared.StopRequested()) {
                    break;
                }
            }
        }
        shared.AddDone(pending);
        winners[static_cast<size_t>(block)] = {localBest, localPosition};
    };

    if (threads == 1 && blockCount == 1) {
        runBlock(0);
    } else {
        shared.Run(threads, blockCount, runBlock, [&] {
            SetProgress(shared.Done(), total);
            PumpMessages();
            return cancelled_;
        });
    }

    // Blocks in order and a strictly smaller error to replace: of equal errors the first wins.
    long long winner = -1;
    for (const Winner& w : winners) {
        if (w.position >= 0 && (winner < 0 || w.error < bestError_)) {
            bestError_ = w.error;
            winner = w.position;
        }
    }
    if (winner >= 0) {
        for (size_t d = D; d-- > 0;) {
            best[d] = static_cast<int>(winner % sizes[d]);
            winner /= sizes[d];
        }
    }
    const bool improved = bestError_ < startError;
    if (cancelled_) {
        return improved;
    }
    SetProgress(total, total);
    PumpMessages();
    return improved;
}

}  // namespace vx
