#include "spice/opamp_subcircuits.h"

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
    "* Pins: non-inverting input, inverting input, positive supply, negative supply, output.\n";

// Ten digits keep the design's values: the built-in models' are written as they were given.
std::string Number(double x) {
    return FormatG(x, 10);
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
    text += "GPOLE1 0 p1 inp inm " + Number(opv.DcGain(i)) + "\n";
    text += "RPOLE1 p1 0 1\nCPOLE1 p1 0 " + Number(opv.TimeConstant1(i)) + "\n";
    // A model without a second pole passes the first one on unchanged.
    text += "GPOLE2 0 p2 p1 0 1\nRPOLE2 p2 0 1\n";
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
