#include "plot/plot_summary.h"

#include <cmath>

#include "model/filter.h"
#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

namespace {

std::string Hz(double f) { return FormatQuantity(f, "Hz", ValueKind::ANY); }

std::string Db(double level) {
    return FormatValueNoMilli(level, true, 3, ValueKind::ANY) + " dB";
}

std::string CharacteristicText(const CFilter& filter) {
    std::string text = filter.CharacteristicName();
    if (filter.GetCharacteristic() == Characteristic::CHEBYCHEV) {
        const double ripple = filter.RippleDb();
        text += "-" +
                (ripple >= 0.1 ? FormatValueNoMilli(ripple, true, 3, ValueKind::ANY)
                               : FormatE(ripple)) +
                "dB";
    }
    return text;
}

// Band edges of the band-pass around the centre frequency.
std::string BandText(const CFilter& filter) {
    const double fm = filter.Frequency();
    const double h = filter.Bandwidth() / 2.0;
    const double root = std::sqrt(fm * fm + h * h);
    return "fm: " + Hz(fm) + ", B: " + Hz(filter.Bandwidth()) + ", f1: " + Hz(root - h) +
           ", f2: " + Hz(root + h);
}

}  // namespace

std::string PlotSummaryLine(const CFilter& filter, const std::string& opAmpName) {
    const std::string type = CFilter::TypeName(static_cast<int>(filter.Type()));
    const std::string tail = "A: " + Db(filter.GainDb()) + ", OPV: " + opAmpName +
                             ", R: E" + FormatInt(filter.SeriesNumber());
    const std::string order = FormatInt(filter.Order()) + ". Ordnung, ";
    switch (filter.Type()) {
        case FilterType::LOWPASS:
        case FilterType::HIGHPASS: {
            std::string line = CharacteristicText(filter) + "-" + type + " " + order +
                               "fg: " + Hz(filter.Frequency()) + ", " + tail;
            if (filter.Order() > 2 && filter.Structure() != StructureKind::SALLEN_KEY_X) {
                line += filter.GetStageSequence() == StageSequence::HIGH_LEVEL
                            ? ", Max. Aussteuerbarkeit"
                            : ", Min. Rauschen";
            }
            return line;
        }
        case FilterType::BANDPASS:
            if (filter.Order() == 2) {
                return type + " 2. Ordnung, " + BandText(filter) + ", " + tail;
            }
            return filter.CharacteristicName() + "-" + type + " " + order + BandText(filter) +
                   ", " + tail;
        case FilterType::BANDREJECT:
            return type + " 2. Ordnung, fm: " + Hz(filter.Frequency()) +
                   ", Q: " + FormatValueNoMilli(filter.Quality(), true, 3, ValueKind::ANY) +
                   ", " + tail;
    }
    return {};
}

}  // namespace vx
