#include "files/specification_writer.h"

#include "files/latin1_text.h"
#include "files/replace_file.h"
#include "files/scheme_keys.h"
#include "files/specification_messages.h"
#include "model/character.h"
#include "model/enum_words.h"
#include "model/filter.h"
#include "model/number_format.h"
#include "model/opv.h"

namespace vx {

namespace {

// The file is 8-bit text: letters outside Latin-1 become '?'.
std::string ToLatin1(const std::string& utf8) {
    return Utf8ToLatin1(utf8, Latin1Fallback::QUESTION_MARK);
}

// Pole data in fixed form where eight decimals keep the precision, otherwise in exponent form.
// The form follows the value as the exponent form rounds it, so that a file read and written
// again keeps its form: 0.0099999999 would first become 1.000000E-02, then 0.01000000.
std::string PoleNumber(double x) {
    const double rounded = AsWritten(x);
    return rounded >= 0.01 && rounded < 100.0 ? FormatF(x, 8, 10) : FormatE(x);
}

template <class E>
std::string FileWord(E value) {
    return std::string(WordOfEnum(value, WordColumn::FILE));
}

// The [FILTER] section.
std::string FilterSection(const CFilter& filter, const COpv& opv) {
    const FilterType type = filter.Type();
    const bool lowHighBand = type != FilterType::BANDREJECT;
    const bool chebyshev = filter.GetCharacteristic() == Characteristic::CHEBYCHEV;
    std::string s;
    s += "[FILTER]\n";
    s += "TYPE=" + FileWord(type) + "\n";
    s += "STRUCTURE=" + FileWord(filter.Structure()) + "\n";
    s += "FREQUENCY=" + FormatE(filter.Frequency()) + "\n";
    if (lowHighBand) {
        s += "GAIN_DB=" + FormatE(filter.GainDb()) + "\n";
        s += "CHARACTERISTIC=" + FileWord(filter.GetCharacteristic()) + "\n";
        if (chebyshev) {
            s += "RIPPLE_DB=" + FormatE(filter.RippleDb()) + "\n";
        }
    }
    s += "ORDER=" + FormatInt(filter.Order()) + "\n";
    if (type == FilterType::BANDPASS) {
        s += "BANDWIDTH=" + FormatE(filter.Bandwidth()) + "\n";
    } else if (type == FilterType::BANDREJECT) {
        s += "QUALITY=" + FormatE(filter.Quality()) + "\n";
    }
    s += "IMPEDANCE=" + FormatE(filter.Impedance()) + "\n";
    s += "RESISTORS=" + FileWord(filter.GetResistorSeries()) + "\n";
    if (type == FilterType::BANDPASS && filter.SteplessR2()) {
        s += "STEPLESS=R2\n";
    }
    s += "OPAMP=" +
         (filter.OpAmp() == 0 ? std::string("IDEAL") : ToLatin1(opv.Name(filter.OpAmp()))) + "\n";
    if (lowHighBand) {
        s += "SEQUENCE=" + FileWord(filter.GetStageSequence()) + "\n";
        s += "GAINDISTRIB=" + FileWord(filter.GetGainDistribution()) + "\n";
    }
    // Files of the neighbour search stay as earlier versions wrote them.
    if (filter.GetSearchMethod() == SearchMethod::EXHAUSTIVE) {
        s += "SEARCH=" + FileWord(filter.GetSearchMethod()) + "\n";
        s += "IMPEDANCE_WINDOW=" + FormatE(filter.ImpedanceWindow()) + "\n";
    }
    const bool enter = filter.GetCapacitorMode() == CapacitorMode::ENTER;
    s += "CAPACITORS=" +
         (!enter && filter.EqualCapacitors() ? std::string(kEqualCapacitorsFileWord)
                                             : FileWord(filter.GetCapacitorMode())) +
         "\n";
    if (const ToleranceScheme* scheme = filter.SchemeOfType()) {
        s += SchemeKeyLines(*scheme);
    }
    return s;
}

// The [STAGE n] sections: pole data, stage gains and entered capacitors, where the filter has
// any of them.
std::string StageSections(const CFilter& filter, const CCharacter& character) {
    const bool lowHighBand = filter.Type() != FilterType::BANDREJECT;
    const bool enter = filter.GetCapacitorMode() == CapacitorMode::ENTER;
    const bool individual = filter.GetCharacteristic() == Characteristic::INDIVIDUAL && lowHighBand;
    const bool values = filter.GetGainDistribution() == GainDistribution::VALUES && lowHighBand;
    if (!enter && !individual && !values) {
        return {};
    }
    std::string s;
    for (int n = 1; n <= filter.StageCount(); ++n) {
        const auto i = static_cast<size_t>(n - 1);
        s += "\n[STAGE " + FormatInt(n) + "]\n";
        if (individual) {
            s += "OMEGA=" + PoleNumber(character.individualFrequency[i]) + "\n";
            s += "Q=" + PoleNumber(character.individualQ[i]) + "\n";
        }
        if (values) {
            s += "GAIN=" + FormatE(filter.GetStageGain(n - 1)) + "\n";
        }
        if (enter) {
            const StageEntry& stage = filter.Stage(n - 1);
            for (int k = 0; k < stage.count && k < kMaxComponents; ++k) {
                const Component& c = stage.components[static_cast<size_t>(k)];
                if (!c.name.empty() && c.name[0] == 'C') {
                    s += ToLatin1(c.name) + "=" + FormatE(c.value) + "\n";
                }
            }
        }
    }
    return s;
}

}  // namespace

double AsWritten(double x) {
    return ParseDouble(FormatE(x));
}

std::string DesignerText(const std::string& name, const std::string& organisation) {
    return organisation.empty() ? name : name + ", " + organisation;
}

std::string SpecificationText(const CFilter& filter, const CCharacter& character, const COpv& opv,
                              const std::string& designer) {
    std::string s = "*** Veltranix-Spezifikation ***\n\n";
    s += "[CREATION]\nDESIGNER=" + ToLatin1(designer) +
         "\nTOOL=Veltranix 3.3\nDATE=" + ToLatin1(filter.CreationStamp()) + "\n\n";
    s += FilterSection(filter, opv);
    s += StageSections(filter, character);
    return s;
}

std::optional<UserMessage> SaveSpecification(const std::filesystem::path& path,
                                             const CFilter& filter, const CCharacter& character,
                                             const COpv& opv, const std::string& designer) {
    if (ReplaceFile(path, SpecificationText(filter, character, opv, designer))) {
        return std::nullopt;
    }
    return SaveSpecificationFailedMessage(path.string());
}

}  // namespace vx
