#include "report/summary_text.h"

#include "model/band_edges_input.h"
#include "model/filter.h"
#include "model/number_format.h"
#include "model/number_text.h"
#include "model/opamp_texts.h"
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

std::string TypeName(const CFilter& filter) {
    return CFilter::TypeName(static_cast<int>(filter.Type()));
}

// ", A: <gain>", then the op-amp and the resistor series after `separator`. The one-line variant
// heads the diagram, where the op-amp's name has to do.
std::string GainAndOpAmp(const CFilter& filter, const COpv& opv, SummaryVariant variant,
                         const char* separator) {
    std::string s = ", A: ";
    s += FormatQuantity(filter.GainDb(), ValueKind::ANY);
    s += " dB";
    s += separator;
    s += "OPV: ";
    s += variant == SummaryVariant::DIALOG ? OpAmpNameWithGbw(opv, filter.OpAmp())
                                           : opv.Name(filter.OpAmp());
    s += ", R: E";
    s += FormatInt(filter.SeriesNumber());
    return s;
}

std::string LowHighPassHead(const CFilter& filter) {
    std::string s = CharacteristicText(filter);
    s += '-';
    s += TypeName(filter);
    s += ' ';
    s += FormatInt(filter.Order());
    s += ". Ordnung, fg: ";
    s += Hz(filter.Frequency());
    return s;
}

// The stage order only has a choice from the third order on, and not for Sallen-Key X.
std::string StageSequenceText(const CFilter& filter) {
    if (filter.Order() <= 2 || filter.Structure() == StructureKind::SALLEN_KEY_X) {
        return {};
    }
    return filter.GetStageSequence() == StageSequence::HIGH_LEVEL ? ", Max. Aussteuerbarkeit"
                                                                  : ", Min. Rauschen";
}

std::string BandPassHead(const CFilter& filter) {
    const int n = filter.Order();
    const BandEdges edges = BandPassEdges(filter);
    std::string s;
    if (n > 2) {
        s = filter.CharacteristicName();
        s += '-';
    }
    s += TypeName(filter);
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
    return s;
}

std::string BandStopHead(const CFilter& filter) {
    std::string s = TypeName(filter);
    s += " 2. Ordnung, fm: ";
    s += Hz(filter.Frequency());
    s += ", Q: ";
    s += FormatQuantity(filter.Quality(), ValueKind::ANY);
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
    switch (filter.Type()) {
        case FilterType::LOWPASS:
        case FilterType::HIGHPASS:
            return LowHighPassHead(filter) +
                   GainAndOpAmp(filter, opv, variant,
                                variant == SummaryVariant::DIALOG ? "\n" : ", ") +
                   StageSequenceText(filter);
        case FilterType::BANDPASS:
            return BandPassHead(filter) + GainAndOpAmp(filter, opv, variant, ", ");
        case FilterType::BANDREJECT:
            return BandStopHead(filter) + GainAndOpAmp(filter, opv, variant, ", ");
    }
    return GainAndOpAmp(filter, opv, variant, ", ");
}

}  // namespace vx
