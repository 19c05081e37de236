#include "spice/opamp_subcircuits.h"

#include <cmath>

#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

namespace {

constexpr const char* kHeader =
    "* Veltranix op-amp models for Spice.\n"
    "*\n"
    "* Each model is the open-loop gain the design uses, A(s) = A0 / ((1 + s T1)(1 + s T2)): two\n"
    "* poles, each a transconductance driving 1 ohm in parallel with T farads (time constant T\n"
    "* seconds, exact). A0 is the first transconductance, so no node swings to A0 times the input\n"
    "* difference during a fast step (that would stall a transient analysis). The output has no\n"
    "* resistance and the inputs draw no current, as in the design's model; the supply pins only\n"
    "* complete the pin list.\n"
    "*\n"
    "* Pins: non-inverting input, inverting input, positive supply, negative supply, output.\n"
    "*\n"
    "* A model with noise figures carries them as noise sources: the shot and flicker noise of a\n"
    "* diode at 1 mA, its voltage taken off through a capacitor of 1 F (so that no DC reaches the\n"
    "* amplifier), scaled by a controlled source to the voltage noise in series with the\n"
    "* non-inverting input, and to a current into each input. The diode's flicker coefficient "
    "sets\n"
    "* the 1/f corner: KF = 2 q fc. The model's own resistors make no noise.\n";

// Ten digits keep the design's values: the built-in models' are written as they were given.
std::string Number(double x) {
    return FormatG(x, 10);
}

// The white noise voltage across a diode at kNoiseBias: sqrt(2 q I) (VT / I), with VT at 27 C.
constexpr double kNoiseBias = 1e-3;
constexpr double kCharge = 1.602176634e-19;
constexpr double kBoltzmann = 1.380649e-23;

double DiodeNoise() {
    const double vt = kBoltzmann * 300.15 / kCharge;
    return std::sqrt(2.0 * kCharge * kNoiseBias) * vt / kNoiseBias;
}

// Spice reads names in any case: the noise nodes must not meet the pins' names.
std::string NoiseNode(const std::string& name) {
    return "noise_" + name;
}

// The diode's noise, free of DC, at node NoiseNode(name) + "x": DiodeNoise() white, with the
// 1/f `corner` (none for NaN).
std::string NoiseSource(const std::string& name, double corner) {
    const std::string node = NoiseNode(name);
    std::string text = "I" + name + " 0 " + node + " DC " + Number(kNoiseBias) + "\n";
    text += "D" + name + " " + node + " 0 D" + name + "\n";
    text += ".MODEL D" + name +
            " D(IS=1e-15 KF=" + Number(std::isfinite(corner) ? 2.0 * kCharge * corner : 0.0) +
            " AF=1)\n";
    text += "C" + name + " " + node + " " + node + "x 1\n";
    text += "R" + name + " " + node + "x 0 1e9 noisy=0\n";
    return text;
}

std::string Subcircuit(const COpv& opv, int i) {
    const std::string name = opv.Name(i);
    const double t2 = opv.TimeConstant2(i);
    const OpAmpData& data = opv.Data(i);
    std::string text = "\n* " + name + ": A0 = " + Number(opv.DcGain(i)) +
                       ", T1 = " + FormatQuantity(opv.TimeConstant1(i), "s", ValueKind::TIME) +
                       ", T2 = " + FormatQuantity(t2, "s", ValueKind::TIME) + ", GBW " +
                       FormatQuantity(data.gbw, "Hz", ValueKind::ANY) + "\n";
    if (!data.source.empty()) {
        text += "* " + data.source + "\n";
    }
    text += ".SUBCKT " + name + " inp inm vpos vneg out\n";
    const bool voltageNoise = std::isfinite(data.voltageNoise) && data.voltageNoise > 0.0;
    const bool currentNoise = std::isfinite(data.currentNoise) && data.currentNoise > 0.0;
    if (voltageNoise) {
        text += NoiseSource("EN", data.voltageNoiseCorner);
        text += "EEN inx inp " + NoiseNode("EN") + "x 0 " +
                Number(data.voltageNoise * 1e-9 / DiodeNoise()) + "\n";
    }
    if (currentNoise) {
        for (const char* pin : {"inp", "inm"}) {
            const std::string source = std::string("IN") + (pin[2] == 'p' ? "P" : "M");
            text += NoiseSource(source, data.currentNoiseCorner);
            text += "G" + source + " " + pin + " 0 " + NoiseNode(source) + "x 0 " +
                    Number(data.currentNoise * 1e-12 / DiodeNoise()) + "\n";
        }
    }
    text += "GPOLE1 0 p1 " + std::string(voltageNoise ? "inx" : "inp") + " inm " +
            Number(opv.DcGain(i)) + "\n";
    text += "RPOLE1 p1 0 1 noisy=0\nCPOLE1 p1 0 " + Number(opv.TimeConstant1(i)) + "\n";
    // A model without a second pole passes the first one on unchanged.
    text += "GPOLE2 0 p2 p1 0 1\nRPOLE2 p2 0 1 noisy=0\n";
    if (t2 > 0.0) {
        text += "CPOLE2 p2 0 " + Number(t2) + "\n";
    }
    text += "EOUT out 0 p2 0 1\n.ENDS " + name + "\n";
    return text;
}

}  // namespace

std::string ShippedOpAmpLibrary(const COpv& opv) {
    std::string text = kHeader;
    for (int i = 1; i < opv.Count(); ++i) {
        if (!opv.IsOwn(i)) {
            text += Subcircuit(opv, i);
        }
    }
    return text;
}

std::string OwnOpAmpLibrary(const COpv& opv, int index) {
    return kHeader + Subcircuit(opv, index);
}

}  // namespace vx
