#include "files/specification_writer.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "files/specification_messages.h"
#include "model/character.h"
#include "model/filter.h"
#include "model/number_format.h"
#include "model/opv.h"

namespace vx {

namespace {

// The file is 8-bit text: UTF-8 letters of the Latin-1 range become single bytes, others '?'.
std::string ToLatin1(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        int length = 1;
        unsigned code = 0;
        if ((c & 0xE0) == 0xC0) {
            length = 2;
            code = c & 0x1Fu;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            code = c & 0x0Fu;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            code = c & 0x07u;
        }
        bool valid = length > 1 && i + static_cast<size_t>(length) <= utf8.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto d = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
            valid = (d & 0xC0) == 0x80;
            code = (code << 6) | (d & 0x3Fu);
        }
        out += valid && code <= 0xFF ? static_cast<char>(code) : '?';
        i += valid ? static_cast<size_t>(length) : 1;
    }
    return out;
}

// Pole data in fixed form where eight decimals keep the precision, otherwise in exponent form.
std::string PoleNumber(double x) {
    return x >= 0.01 && x < 100.0 ? FormatF(x, 8, 10) : FormatE(x);
}

const char* const kTypeWords[] = {"LOWPASS", "HIGHPASS", "BANDPASS", "BANDREJECT"};
const char* const kStructureWords[] = {"SK", "SKX", "MFB", "TWIN-T"};
const char* const kCharacteristicWords[] = {"BESSEL", "BUTTERWORTH", "CHEBYCHEV", "INDIVIDUAL"};
const char* const kSeriesWords[] = {"E12", "E24", "E48", "E96", "E192"};
const char* const kSequenceWords[] = {"HIGH_LEVEL", "LOW_NOISE"};
const char* const kDistributionWords[] = {"EQUAL", "EQUAL_GBP", "VALUES"};

template <size_t N, class E>
const char* WordOf(const char* const (&words)[N], E value) {
    const auto i = static_cast<size_t>(value);
    if (i >= N) {
        throw std::logic_error("enumeration value without a file word");
    }
    return words[i];
}

}  // namespace

std::string DesignerText(const std::string& name, const std::string& organisation) {
    return organisation.empty() ? name : name + ", " + organisation;
}

std::string SpecificationText(const CFilter& filter, const CCharacter& character, const COpv& opv,
                              const std::string& designer) {
    const FilterType type = filter.Type();
    const bool lowHighBand = type != FilterType::BANDREJECT;
    const bool chebyshev = filter.GetCharacteristic() == Characteristic::CHEBYCHEV;
    std::string s = "*** Veltranix-Spezifikation ***\n\n";
    s += "[CREATION]\nDESIGNER=" + ToLatin1(designer) +
         "\nTOOL=Veltranix 3.3\nDATE=" + ToLatin1(filter.CreationStamp()) + "\n\n";
    s += "[FILTER]\n";
    s += std::string("TYPE=") + WordOf(kTypeWords, type) + "\n";
    s += std::string("STRUCTURE=") + WordOf(kStructureWords, filter.Structure()) + "\n";
    s += "FREQUENCY=" + FormatE(filter.Frequency()) + "\n";
    if (lowHighBand) {
        s += "GAIN_DB=" + FormatE(filter.GainDb()) + "\n";
        s += std::string("CHARACTERISTIC=") +
             WordOf(kCharacteristicWords, filter.GetCharacteristic()) + "\n";
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
    s += std::string("RESISTORS=") + WordOf(kSeriesWords, filter.GetResistorSeries()) + "\n";
    if (type == FilterType::BANDPASS && filter.SteplessR2()) {
        s += "STEPLESS=R2\n";
    }
    s += "OPAMP=" +
         (filter.OpAmp() == 0 ? std::string("IDEAL") : ToLatin1(opv.Name(filter.OpAmp()))) + "\n";
    if (lowHighBand) {
        s += std::string("SEQUENCE=") + WordOf(kSequenceWords, filter.GetStageSequence()) + "\n";
        s += std::string("GAINDISTRIB=") +
             WordOf(kDistributionWords, filter.GetGainDistribution()) + "\n";
    }
    const bool enter = filter.GetCapacitorMode() == CapacitorMode::ENTER;
    s += std::string("CAPACITORS=") +
         (enter                      ? "ENTER"
          : filter.EqualCapacitors() ? "OPTIMIZE_EQUAL"
                                     : "OPTIMIZE") +
         "\n";

    const bool individual = filter.GetCharacteristic() == Characteristic::INDIVIDUAL && lowHighBand;
    const bool values = filter.GetGainDistribution() == GainDistribution::VALUES && lowHighBand;
    if (!enter && !individual && !values) {
        return s;
    }
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

std::optional<UserMessage> SaveSpecification(const std::filesystem::path& path,
                                             const CFilter& filter, const CCharacter& character,
                                             const COpv& opv, const std::string& designer) {
    const std::string text = SpecificationText(filter, character, opv, designer);
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            out.close();
            written = !out.fail();
        }
    }
    std::error_code ec;
    if (written) {
        std::filesystem::rename(temporary, path, ec);
        if (!ec) {
            return std::nullopt;
        }
    }
    std::filesystem::remove(temporary, ec);
    return SaveSpecificationFailedMessage(path.string());
}

}  // namespace vx
