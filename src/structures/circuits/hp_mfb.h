#pragma once

#include <vector>

#include "structures/circuits/mfb_structure.h"

namespace vx {

// Multiple-feedback high-pass: C1 from the input to the internal node, R2 from there to ground,
// C2 from there to the output, C3 from there to the inverting input, R1 from the output back to
// the inverting input. H = -(C1/C2) / (1 + a/P + b/P^2) with
// a = (C1 + C2 + C3) / (w R1 C2 C3) and b = 1 / (w^2 R1 R2 C2 C3).
class CHpMfb : public CMfbStructure {
  public:
    static constexpr std::array<ComponentField<MfbValues>, 5> kSlots = {{
        {ComponentSlot::C1, &MfbValues::c1},
        {ComponentSlot::C2, &MfbValues::c2},
        {ComponentSlot::C3, &MfbValues::c3},
        {ComponentSlot::R1, &MfbValues::r1},
        {ComponentSlot::R2, &MfbValues::r2},
    }};

    // The user chooses C1 and C3; C2 follows from the gain.
    static constexpr std::array<ComponentField<MfbValues>, 2> kCapacitors = {{
        {ComponentSlot::C1, &MfbValues::c1},
        {ComponentSlot::C3, &MfbValues::c3},
    }};

    CHpMfb() : CMfbStructure(kSlots, kCapacitors) {}

    // The network with the amplifier output = -A(jw) times the inverting input.
    template <class Frequency>
    static Complex Network(const MfbValues& v, const OpAmpParams& opAmp, Frequency w);

    // Network() for the candidates of a search line with what depends on the amplifier and the
    // frequency only computed once per search, and what stays along a line (C1, C2, C3, R2) once
    // per line; the operations that remain are Network's, in its order.
    class LineKernel {
      public:
        explicit LineKernel(const CMfbStructure& s);
        void StartLine(const MfbValues& v);
        Complex At(const MfbValues& v, size_t k) const {
            const double g1 = 1.0 / v.r1;
            const Line& l = line_[k];
            // g1 / (jwC3) divides by a number without real part: libgcc's complex division
            // then gives exactly (0, -g1 / wC3), here without its call.
            const Complex u = imaginarySc3_ ? Complex(0.0, -g1 / l.sc3.imag()) : g1 / l.sc3;
            return l.numerator / (l.gy + onePlusG_[k] * (g1 + u * l.y) + l.sc2);
        }

      private:
        struct Line {
            Complex y, gy, sc3, sc2, numerator;
        };
        std::vector<double> w_;
        std::vector<Complex> g_, onePlusG_;
        std::vector<Line> line_;
        bool imaginarySc3_ = false;  // every jwC3 of the line is a finite (+0, w C3 > 0)
    };

    void SetStageTargets(double stageGain) override {
        SetLowHighPassTargets(stageGain, true, Context().stageCount);
    }
    std::pair<std::string, std::string> CapacitorLabels() const override { return {"C1", "C3"}; }
    double MinimumCapacitor(int, int, double) const override { return 1e-12; }
    void DesignStage() override;
    void RoundResistors() override;
    void SearchCapacitors() override;
    void SearchResistors() override;
    double SearchCombinations(bool fixedCapacitors) override;
    bool EnterCapacitors(bool ask, CapacitorPrompt& prompt) override;

  protected:
    // C2 = C1/A to the nearest E12 value, then R1 and R2 for the current C1 and C3.
    void ResistorsFromCapacitors() override;
    LineScreenAxis ScreenAlong(double MfbValues::*along) const override;
    void StartScreenLine(const MfbValues& v, double MfbValues::*along,
                         CLineScreen& screen) const override;
    Complex Transfer(const MfbValues& v, const OpAmpParams& opAmp, double w) const override {
        return Network(v, opAmp, w);
    }
    Complex TransferAt(const MfbValues& v, const OpAmpParams& opAmp, Complex s) const override {
        return Network(v, opAmp, s);
    }

  private:
};

}  // namespace vx
