#include "plot/plot_summary.h"

#include <cmath>

#include "model/filter.h"
#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

namespace {

std::string Hz(double f) {
    return FormatQuantity(f, "Hz", ValueKind::ANY);
}

std::string CharacteristicText(const CFilter& filter) {
    std::string text = filter.CharacteristicName();
    if (filter.GetCharacteristic() == Characteristic::CHEBYCHEV) {
        const double ripple = filter.RippleDb();
        text += '-';
        text +=
            ripple >= 0.1 ? FormatValueNoMilli(ripple, true, 3, ValueKind::ANY) : FormatE(ripple);
        text += "dB";
    }
    return text;
}

// Centre, width and edges of the band-pass.
std::string BandText(const CFilter& filter) {
    const double fm = filter.Frequency();
    const double h = filter.Bandwidth() / 2.0;
    const double root = std::sqrt(fm * fm + h * h);
    std::string text = "fm: ";
    text += Hz(fm);
    text += ", B: ";
    text += Hz(filter.Bandwidth());
    text += ", f1: ";
    text += Hz(root - h);
    text += ", f2: ";
    text += Hz(root + h);
    return text;
}

}  // namespace

std::string PlotSummaryLine(const CFilter& filter, const std::string& opAmpName) {
    const std::string type = CFilter::TypeName(static_cast<int>(filter.Type()));
    std::string line;
    switch (filter.Type()) {
        case FilterType::LOWPASS:
        case FilterType::HIGHPASS:
            line = CharacteristicText(filter);
            line += '-';
            line += type;
            line += ' ';
            line += FormatInt(filter.Order());
            line += ". Ordnung, fg: ";
            line += Hz(filter.Frequency());
            break;
        case FilterType::BANDPASS:
            if (filter.Order() == 2) {
                line = type;
                line += " 2. Ordnung, ";
            } else {
                line = filter.CharacteristicName();
                line += '-';
                line += type;
                line += ' ';
                line += FormatInt(filter.Order());
                line += ". Ordnung, ";
            }
            line += BandText(filter);
            break;
        case FilterType::BANDREJECT:
            line = type;
            line += " 2. Ordnung, fm: ";
            line += Hz(filter.Frequency());
            line += ", Q: ";
            line += FormatValueNoMilli(filter.Quality(), true, 3, ValueKind::ANY);
            break;
    }
    line += ", A: ";
    line += FormatValueNoMilli(filter.GainDb(), true, 3, ValueKind::ANY);
    line += " dB, OPV: ";
    line += opAmpName;
    line += ", R: E";
    line += FormatInt(filter.SeriesNumber());
    const bool lowOrHighPass =
        filter.Type() == FilterType::LOWPASS || filter.Type() == FilterType::HIGHPASS;
    if (lowOrHighPass && filter.Order() > 2 && filter.Structure() != StructureKind::SALLEN_KEY_X) {
        line += filter.GetStageSequence() == StageSequence::HIGH_LEVEL ? ", Max. Aussteuerbarkeit"
                                                                       : ", Min. Rauschen";
    }
    return line;
}

}  // namespace vx
