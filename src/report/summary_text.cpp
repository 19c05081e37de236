#include "report/summary_text.h"

#include "model/band_edges_input.h"
#include "model/filter.h"
#include "model/number_format.h"
#include "model/number_text.h"
#include "model/opv.h"

namespace vx {

namespace {

std::string Hz(double x) {
    return FormatQuantity(x, "Hz", ValueKind::ANY);
}

std::string CharacteristicText(const CFilter& filter) {
    std::string s = filter.CharacteristicName();
    if (filter.GetCharacteristic() == Characteristic::CHEBYCHEV) {
        s += '-';
        s += RippleNumberText(filter.RippleDb());
        s += "dB";
    }
    return s;
}

}  // namespace

std::string RippleNumberText(double rippleDb) {
    return rippleDb >= 0.1 ? FormatQuantity(rippleDb, ValueKind::ANY) : FormatE(rippleDb);
}

BandEdges BandPassEdges(const CFilter& filter) {
    if (filter.Type() != FilterType::BANDPASS) {
        return {};
    }
    const BandEdgePair edges = BandEdgesOf(filter.Frequency(), filter.Bandwidth());
    return {edges.lower, edges.upper};
}

std::string SummaryText(const CFilter& filter, const COpv& opv, SummaryVariant variant) {
    const int n = filter.Order();
    const std::string type = CFilter::TypeName(static_cast<int>(filter.Type()));
    std::string gain = FormatQuantity(filter.GainDb(), ValueKind::ANY);
    gain += " dB";
    std::string opAmp = "OPV: ";
    opAmp += opv.Name(filter.OpAmp());
    opAmp += ", R: E";
    opAmp += FormatInt(filter.SeriesNumber());
    std::string s;
    switch (filter.Type()) {
        case FilterType::LOWPASS:
        case FilterType::HIGHPASS:
            s = CharacteristicText(filter);
            s += '-';
            s += type;
            s += ' ';
            s += FormatInt(n);
            s += ". Ordnung, fg: ";
            s += Hz(filter.Frequency());
            s += ", A: ";
            s += gain;
            s += variant == SummaryVariant::DIALOG ? "\n" : ", ";
            s += opAmp;
            if (n > 2 && filter.Structure() != StructureKind::SALLEN_KEY_X) {
                s += filter.GetStageSequence() == StageSequence::HIGH_LEVEL
                         ? ", Max. Aussteuerbarkeit"
                         : ", Min. Rauschen";
            }
            return s;
        case FilterType::BANDPASS: {
            const BandEdges edges = BandPassEdges(filter);
            if (n > 2) {
                s = filter.CharacteristicName();
                s += '-';
            }
            s += type;
            s += ' ';
            s += FormatInt(n);
            s += ". Ordnung, fm: ";
            s += Hz(filter.Frequency());
            s += ", B: ";
            s += Hz(filter.Bandwidth());
            s += ", f1: ";
            s += Hz(edges.lower);
            s += ", f2: ";
            s += Hz(edges.upper);
            break;
        }
        case FilterType::BANDREJECT:
            s = type;
            s += " 2. Ordnung, fm: ";
            s += Hz(filter.Frequency());
            s += ", Q: ";
            s += FormatQuantity(filter.Quality(), ValueKind::ANY);
            break;
    }
    s += ", A: ";
    s += gain;
    s += ", ";
    s += opAmp;
    return s;
}

}  // namespace vx
