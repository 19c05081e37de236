#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "analysis/tolerance_part.h"
#include "analysis/twin_t_parts.h"
#include "session/design_session.h"

namespace vx {

// The designed filter of a session with every part's value free: evaluates the response of the
// built filter for varied part values and amplifiers. It works on a copy of the design, so each
// thread of an analysis has one of its own.
class CToleranceEvaluator {
  public:
    // The session must hold a designed filter.
    explicit CToleranceEvaluator(const CDesignSession& session);
    CToleranceEvaluator(const CToleranceEvaluator&) = delete;
    CToleranceEvaluator& operator=(const CToleranceEvaluator&) = delete;

    const std::vector<TolerancePart>& Parts() const { return parts_; }
    int StageCount() const { return stageCount_; }
    // The amplifier of every stage as designed.
    const OpAmpParams& OpAmp() const { return opAmp_; }
    const CFilter& Filter() const { return session_.Filter(); }
    // The record's name of a component of a stage ("R1").
    std::string ComponentName(int stage, ComponentSlot component) const;

    // The part values (indexed as Parts()) and the amplifier of each stage for the evaluations
    // that follow.
    void SetValues(std::span<const double> values, std::span<const OpAmpParams> opAmps);
    // |H(jw)| of the whole filter.
    double Magnitude(double w);
    // The same on the grid, multiplied up stage by stage as the design's curves are, so the
    // nominal values give the filter curve exactly.
    void Magnitudes(std::span<const double> omegas, std::span<double> out);
    // The denominator of a stage with the ideal op-amp, d0 + d1 s + ... with d0 = 1.
    std::vector<double> StageDenominator(int stage);

  private:
    // Puts the values of a stage into the structure and selects it.
    void LoadStage(int stage);
    double StageMagnitude(int stage, double w) const;

    CDesignSession session_;
    CFilterStructure* structure_ = nullptr;
    std::optional<CTwinTParts> twinT_;
    TwinTNetwork network_{};
    std::vector<TolerancePart> parts_;
    std::vector<double> values_;
    std::vector<OpAmpParams> opAmps_;
    int stageCount_ = 0;
    OpAmpParams opAmp_;
};

}  // namespace vx
