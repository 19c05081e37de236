#include "report/specification_rows.h"

#include "model/filter.h"
#include "model/input_dialog_texts.h"
#include "model/number_format.h"
#include "model/number_text.h"
#include "model/opamp_texts.h"
#include "model/opv.h"
#include "model/search_method_text.h"
#include "model/tolerance_scheme.h"
#include "report/summary_text.h"

namespace vx {

namespace {

std::string Hz(double x) {
    return FormatQuantity(x, "Hz", ValueKind::ANY);
}

}  // namespace

std::vector<LabelRow> SpecificationRows(const CFilter& filter, const COpv& opv) {
    const FilterType type = filter.Type();
    const bool lowHigh = type == FilterType::LOWPASS || type == FilterType::HIGHPASS;
    const int order = filter.Order();
    std::vector<LabelRow> rows = {{"Typ", CFilter::TypeName(static_cast<int>(type))}};
    // A first-order low-pass and a second-order band-pass are the same for every
    // characteristic; the band-stop has none.
    if ((lowHigh && order > 1) || (type == FilterType::BANDPASS && order > 2)) {
        rows.push_back({"Charakteristik", filter.CharacteristicName()});
        if (filter.GetCharacteristic() == Characteristic::CHEBYCHEV) {
            rows.push_back({"Welligkeit", RippleNumberText(filter.RippleDb()) + " dB"});
        }
    }
    rows.push_back({"Ordnung", FormatInt(order)});
    rows.push_back({"Struktur", CFilter::StructureName(static_cast<int>(filter.Structure()))});
    rows.push_back({lowHigh ? "Grenzfrequenz" : "Mittenfrequenz", Hz(filter.Frequency())});
    rows.push_back({"Verstärkung", FormatQuantity(filter.GainDb(), ValueKind::ANY) + " dB"});
    if (type == FilterType::BANDPASS) {
        const BandEdges edges = BandPassEdges(filter);
        rows.push_back({"Bandbreite", Hz(filter.Bandwidth())});
        rows.push_back({"Durchlassbereich", Hz(edges.lower) + " .. " + Hz(edges.upper)});
    } else if (type == FilterType::BANDREJECT) {
        rows.push_back({"Güte", FormatQuantity(filter.Quality(), ValueKind::ANY)});
    }
    rows.push_back({"Operationsverstärker", OpAmpNameWithGbw(opv, filter.OpAmp())});
    if (order > 2 && filter.Structure() != StructureKind::SALLEN_KEY_X) {
        rows.push_back(
            {"Reihenfolge der Stufen", filter.GetStageSequence() == StageSequence::HIGH_LEVEL
                                           ? "Max. Aussteuerbarkeit"
                                           : "Min. Rauschen"});
    }
    std::string series = "E";
    series += FormatInt(filter.SeriesNumber());
    rows.push_back({"Alle Widerstände", series});
    if (const std::optional<std::string> search = SearchMethodText(filter)) {
        rows.push_back({kSearchGroup, *search});
    }
    if (type == FilterType::BANDPASS && filter.SteplessR2()) {
        rows.push_back({"Bauteil(e) ohne Normwert", "R2"});
    }
    return rows;
}

std::vector<LabelRow> SchemeRows(const CFilter& filter) {
    std::vector<LabelRow> rows;
    if (const ToleranceScheme* scheme = filter.SchemeOfType()) {
        for (auto& [label, value] : SchemeLines(*scheme)) {
            rows.push_back({std::move(label), std::move(value)});
        }
    }
    return rows;
}

}  // namespace vx
