#include "analysis/plan/plan_text.h"

#include <cmath>

#include "model/number_format.h"
#include "model/number_text.h"

namespace vx {

namespace {

const char* CsvWord(Characteristic c) {
    switch (c) {
        case Characteristic::BESSEL:
            return "bessel";
        case Characteristic::BUTTERWORTH:
            return "butterworth";
        default:
            return "chebyshev";
    }
}

std::string Csv(double x) {
    return std::isfinite(x) ? FormatG(x, 6) : std::string();
}

std::string Percent(double x) {
    return std::isfinite(x) ? WithDecimalComma(FormatF(x, 1)) + " %" : std::string("-");
}

std::string Name(const PlanRow& row) {
    switch (row.characteristic) {
        case Characteristic::BESSEL:
            return "Bessel";
        case Characteristic::BUTTERWORTH:
            return "Butterworth";
        default:
            return "Tschebyscheff " + WithDecimalComma(FormatG(row.rippleDb, 3)) + " dB";
    }
}

}  // namespace

std::string PlanCsv(const std::vector<PlanRow>& rows) {
    std::string text =
        "characteristic,ripple_db,order,frequency_hz,stop_margin_db,delay_variation_pct,"
        "overshoot_pct\n";
    for (const PlanRow& r : rows) {
        const bool met = r.order > 0;
        const bool chebyshev = r.characteristic == Characteristic::CHEBYCHEV;
        text += std::string(CsvWord(r.characteristic)) + "," +
                (chebyshev ? Csv(r.rippleDb) : std::string()) + "," +
                (met ? FormatInt(r.order) : std::string()) + "," + (met ? Csv(r.frequency) : "") +
                "," + (met ? Csv(r.stopMarginDb) : "") + "," +
                (met ? Csv(r.delayVariationPercent) : "") + "," +
                (met ? Csv(r.overshootPercent) : "") + "\n";
    }
    return text;
}

std::vector<std::string> PlanTableLines(const std::vector<PlanRow>& rows) {
    std::vector<std::string> lines = {
        "Charakteristik\tOrdnung\tFrequenz\tReserve bei der Sperrgrenze\tLaufzeitschwankung\t"
        "Überschwingen"};
    for (const PlanRow& r : rows) {
        if (r.order == 0) {
            lines.push_back(Name(r) + "\tnicht bis Ordnung 30");
            continue;
        }
        lines.push_back(Name(r) + "\t" + FormatInt(r.order) + "\t" +
                        FormatQuantity(r.frequency, "Hz", ValueKind::ANY) + "\t" +
                        WithDecimalComma(FormatF(r.stopMarginDb, 2)) + " dB\t" +
                        Percent(r.delayVariationPercent) + "\t" + Percent(r.overshootPercent));
    }
    return lines;
}

}  // namespace vx
