#include "files/specification_reader.h"

#include <cmath>
#include <optional>
#include <utility>

#include "files/bounded_read.h"
#include "files/scanner.h"
#include "files/scheme_keys.h"
#include "files/specification_messages.h"
#include "files/specification_writer.h"
#include "model/br_tt_input.h"
#include "model/character.h"
#include "model/circuit_pairs.h"
#include "model/enum_words.h"
#include "model/number_format.h"
#include "model/opv.h"
#include "model/range_check.h"

namespace vx {

namespace {

constexpr int kAbsent = -1;

// strtod reads "nan", "inf" and "infinity" (any case, signed) and an overflowing exponent as
// values beyond every range check, and the writer could not write them back as read; in the
// file they count as no number, 0 like any other text.
double FileNumber(std::string_view text) {
    const double x = ParseDouble(text);
    return std::isfinite(x) ? x : 0.0;
}

// Everything the file said, before any check; -1 marks an absent word or number.
struct RawSpecification {
    int type = kAbsent;
    int structure = kAbsent;
    double frequency = -1.0;
    bool gainGiven = false;
    double gainDb = 0.0;
    int characteristic = kAbsent;
    double rippleDb = 0.0;
    int order = -1;
    double bandwidth = -1.0;
    double quality = -1.0;
    double impedance = -1.0;
    int resistors = kAbsent;
    bool stepless = false;
    bool opAmpGiven = false;
    int opAmp = kAbsent;
    int sequence = kAbsent;
    int gainDistribution = 0;
    int capacitors = kAbsent;
    // Files of the neighbour search have neither key.
    int search = static_cast<int>(SearchMethod::NEIGHBOURS);
    double impedanceWindow = kDefaultImpedanceWindow;
    std::array<double, kMaxStages> q{};
    std::array<double, kMaxStages> omega{};
    std::array<double, kMaxStages> gain{};
    EnteredCapacitors caps;
    SchemeFileValues scheme;
    std::optional<ToleranceScheme> checkedScheme;  // the scheme the keys state, once checked

    RawSpecification() {
        q.fill(-1.0);
        omega.fill(-1.0);
        gain.fill(-1.0);
    }
};

struct Failure {
    std::string key;
    int stage = 0;  // 1-based, 0 for [FILTER]
};

template <class E>
int WordCount() {
    return static_cast<int>(EnumWords<E>().size());
}

// The scanner numbers the file-only words after the enumeration's own.
const int kEqualCapacitors = WordCount<CapacitorMode>();

// A value word's index, or -1 when the word is unknown or out of `count`: any value word of the
// file counts, whichever key it belongs to.
int Word(const CScanner& scanner, const std::string& text, int count) {
    const ScanToken t = scanner.Scan(text);
    if (t.id == 0 || t.number < 0 || t.number >= count) {
        return kAbsent;
    }
    return t.number;
}

// The characteristic's own words, then the old fixed-ripple Chebyshev words.
const int kCharacteristicWords =
    WordCount<Characteristic>() + static_cast<int>(FixedRippleWords().size());

// A fixed-ripple word is a Chebyshev with its ripple.
void StoreCharacteristic(int word, RawSpecification& raw) {
    const int own = WordCount<Characteristic>();
    if (word >= own) {
        raw.characteristic = static_cast<int>(Characteristic::CHEBYCHEV);
        raw.rippleDb = FixedRippleWords()[static_cast<size_t>(word - own)].rippleDb;
    } else {
        raw.characteristic = word;
    }
}

// Beyond int is no order: a cast would wrap 2^32 + 4 round to 4.
int Order(const std::string& text) {
    const long long order = ParseInt(text);
    return std::in_range<int>(order) ? static_cast<int>(order) : kAbsent;
}

void StoreFilterKey(const CScanner& scanner, const COpv& opv, const ScanToken& t,
                    RawSpecification& raw) {
    const std::string& v = t.value;
    if (t.id >= static_cast<int>(KeywordId::SCHEME_FIRST) &&
        t.id <= static_cast<int>(KeywordId::SCHEME_LAST)) {
        raw.scheme[static_cast<size_t>(t.number)] = FileNumber(v);
        return;
    }
    switch (static_cast<KeywordId>(t.id)) {
        case KeywordId::TYPE:
            raw.type = Word(scanner, v, WordCount<FilterType>());
            break;
        case KeywordId::STRUCTURE:
            raw.structure = Word(scanner, v, WordCount<StructureKind>());
            break;
        case KeywordId::FREQUENCY:
            raw.frequency = FileNumber(v);
            break;
        case KeywordId::GAIN_DB:
            raw.gainDb = FileNumber(v);
            raw.gainGiven = true;
            break;
        case KeywordId::RIPPLE_DB:
            raw.rippleDb = FileNumber(v);
            break;
        case KeywordId::CHARACTERISTIC:
            StoreCharacteristic(Word(scanner, v, kCharacteristicWords), raw);
            break;
        case KeywordId::ORDER:
            raw.order = Order(v);
            break;
        case KeywordId::QUALITY:
            raw.quality = FileNumber(v);
            break;
        case KeywordId::BANDWIDTH:
            raw.bandwidth = FileNumber(v);
            break;
        case KeywordId::IMPEDANCE:
            raw.impedance = FileNumber(v);
            break;
        case KeywordId::RESISTORS:
            raw.resistors = Word(scanner, v, WordCount<ResistorSeries>());
            break;
        case KeywordId::STEPLESS:
            raw.stepless = v == "R2";
            break;
        case KeywordId::OPAMP:
            raw.opAmpGiven = true;
            raw.opAmp = opv.FindByName(v);
            break;
        case KeywordId::SEQUENCE:
            raw.sequence = Word(scanner, v, WordCount<StageSequence>());
            break;
        case KeywordId::CAPACITORS:
            raw.capacitors = Word(scanner, v, kEqualCapacitors + 1);
            break;
        case KeywordId::SEARCH: {
            // Only its own words: a value word of another key names no search.
            const std::optional<SearchMethod> method =
                EnumOfWord<SearchMethod>(v, WordColumn::FILE);
            raw.search = method ? static_cast<int>(*method) : kAbsent;
            break;
        }
        case KeywordId::IMPEDANCE_WINDOW:
            raw.impedanceWindow = FileNumber(v);
            break;
        case KeywordId::GAINDISTRIB: {
            const int d = Word(scanner, v, WordCount<GainDistribution>());
            raw.gainDistribution = d == kAbsent ? 0 : d;
            break;
        }
        default:
            break;
    }
}

void StoreStageKey(const ScanToken& t, int stage, RawSpecification& raw) {
    const double x = FileNumber(t.value);
    const auto s = static_cast<size_t>(stage);
    switch (static_cast<KeywordId>(t.id)) {
        case KeywordId::C1:
            raw.caps.values[0][s] = x;
            break;
        case KeywordId::C2:
            raw.caps.values[1][s] = x;
            break;
        case KeywordId::C3:
            raw.caps.values[2][s] = x;
            break;
        case KeywordId::Q:
            raw.q[s] = x;
            break;
        case KeywordId::OMEGA:
            raw.omega[s] = x;
            break;
        case KeywordId::GAIN:
            raw.gain[s] = x;
            break;
        default:
            break;
    }
}

RawSpecification Parse(std::string_view content, const COpv& opv) {
    const CScanner scanner;
    RawSpecification raw;
    constexpr int kNoSection = -2;
    constexpr int kFilterSection = -1;
    int section = kNoSection;  // or the 0-based stage
    size_t pos = 0;
    while (pos < content.size()) {
        size_t end = content.find('\n', pos);
        if (end == std::string_view::npos) {
            end = content.size();
        }
        std::string_view line = content.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const ScanToken t = scanner.Scan(line);
        if (t.keywordClass == KeywordClass::SECTION) {
            section = t.id == static_cast<int>(KeywordId::FILTER) ? kFilterSection : t.number;
        } else if (t.keywordClass == KeywordClass::KEY && section == kFilterSection) {
            StoreFilterKey(scanner, opv, t, raw);
        } else if (t.keywordClass == KeywordClass::KEY && section >= 0) {
            StoreStageKey(t, section, raw);
        }
    }
    return raw;
}

bool IsLowHighPass(FilterType type) {
    return type == FilterType::LOWPASS || type == FilterType::HIGHPASS;
}

int StageCountOf(const RawSpecification& raw) {
    return static_cast<StructureKind>(raw.structure) == StructureKind::SALLEN_KEY_X
               ? 1
               : (raw.order + 1) / 2;
}

std::optional<Failure> CheckLowHighPass(RawSpecification& raw) {
    const auto structure = static_cast<StructureKind>(raw.structure);
    const bool sallenKey =
        structure == StructureKind::SALLEN_KEY || structure == StructureKind::SALLEN_KEY_X;
    if (!raw.gainGiven || (sallenKey && raw.gainDb < 0.0)) {
        return Failure{"GAIN_DB"};
    }
    if (!OrderAccepted(raw.order)) {
        return Failure{"ORDER"};
    }
    if (raw.characteristic == kAbsent) {
        return Failure{"CHARACTERISTIC"};
    }
    const auto characteristic = static_cast<Characteristic>(raw.characteristic);
    if (characteristic == Characteristic::CHEBYCHEV && !RippleAccepted(raw.rippleDb)) {
        return Failure{"RIPPLE_DB"};
    }
    if (raw.sequence == kAbsent) {
        return Failure{"SEQUENCE"};
    }
    if (structure == StructureKind::SALLEN_KEY_X) {
        if (characteristic == Characteristic::INDIVIDUAL) {
            return Failure{"CHARACTERISTIC"};
        }
        // The single third-order stage has no choice of these.
        raw.gainDistribution = static_cast<int>(GainDistribution::EQUAL);
        raw.sequence = static_cast<int>(StageSequence::HIGH_LEVEL);
        if (raw.capacitors == static_cast<int>(CapacitorMode::ENTER)) {
            raw.capacitors = static_cast<int>(CapacitorMode::OPTIMIZE);
        }
    }
    const int stages = (raw.order + 1) / 2;
    if (characteristic == Characteristic::INDIVIDUAL) {
        for (int s = 0; s < stages; ++s) {
            if (raw.q[static_cast<size_t>(s)] <= 0.0) {
                return Failure{"Q", s + 1};
            }
            if (raw.omega[static_cast<size_t>(s)] <= 0.0) {
                return Failure{"OMEGA", s + 1};
            }
        }
    }
    if (raw.gainDistribution == static_cast<int>(GainDistribution::VALUES)) {
        for (int s = 0; s < stages; ++s) {
            if (raw.gain[static_cast<size_t>(s)] <= 0.0) {
                return Failure{"GAIN", s + 1};
            }
        }
    }
    return std::nullopt;
}

// The limits of the band-pass input dialog.
std::optional<Failure> CheckBandPass(const RawSpecification& raw) {
    if (!raw.gainGiven || raw.gainDb < -100.0 || raw.gainDb > 200.0) {
        return Failure{"GAIN_DB"};
    }
    if (raw.order < 2 || raw.order > kMaxOrder || raw.order % 2 != 0) {
        return Failure{"ORDER"};
    }
    // The limits judge the values as the file keeps them, or a file just inside them could be
    // saved just outside.
    const double fm = AsWritten(raw.frequency);
    const double bandwidth = AsWritten(raw.bandwidth);
    const double bMin = raw.opAmp == 0 ? fm / 200.0 : fm / 30.0;
    const double bMax = 10.0 * fm;
    if (bandwidth * 1.01 < bMin || bandwidth > bMax * 1.01 || bandwidth <= 0.0) {
        return Failure{"BANDWIDTH"};
    }
    const auto characteristic = static_cast<Characteristic>(raw.characteristic);
    if (raw.characteristic == kAbsent || characteristic == Characteristic::INDIVIDUAL) {
        return Failure{"CHARACTERISTIC"};
    }
    if (characteristic == Characteristic::CHEBYCHEV && !RippleAccepted(raw.rippleDb)) {
        return Failure{"RIPPLE_DB"};
    }
    if (raw.sequence == kAbsent) {
        return Failure{"SEQUENCE"};
    }
    // The band-pass dialog offers no gains per stage.
    if (raw.gainDistribution == static_cast<int>(GainDistribution::VALUES)) {
        return Failure{"GAINDISTRIB"};
    }
    return std::nullopt;
}

// The limits of the band-stop input dialog: its series, second order, quality at least 0.5.
std::optional<Failure> CheckBandReject(const RawSpecification& raw) {
    if (!BandStopOffersSeries(static_cast<ResistorSeries>(raw.resistors))) {
        return Failure{"RESISTORS"};
    }
    if (raw.order != 2) {
        return Failure{"ORDER"};
    }
    if (raw.quality < 0.5) {
        return Failure{"QUALITY"};
    }
    return std::nullopt;
}

std::optional<Failure> Check(RawSpecification& raw) {
    if (raw.type == kAbsent) {
        return Failure{"TYPE"};
    }
    const auto type = static_cast<FilterType>(raw.type);
    if (raw.structure == kAbsent || !HasCircuit(type, static_cast<StructureKind>(raw.structure))) {
        return Failure{"STRUCTURE"};
    }
    if (raw.frequency < 0.0) {
        return Failure{"FREQUENCY"};
    }
    if (raw.impedance < 0.0) {
        return Failure{"IMPEDANCE"};
    }
    if (raw.resistors == kAbsent) {
        return Failure{"RESISTORS"};
    }
    if (raw.opAmp == kAbsent) {
        return Failure{"OPAMP"};
    }
    if (raw.capacitors == kAbsent) {
        return Failure{"CAPACITORS"};
    }
    if (raw.search == kAbsent) {
        return Failure{"SEARCH"};
    }
    if (!ImpedanceWindowAccepted(raw.impedanceWindow)) {
        return Failure{"IMPEDANCE_WINDOW"};
    }
    std::optional<Failure> failure;
    if (IsLowHighPass(type)) {
        failure = CheckLowHighPass(raw);
    } else if (type == FilterType::BANDPASS) {
        failure = CheckBandPass(raw);
    } else {
        failure = CheckBandReject(raw);
    }
    if (failure) {
        return failure;
    }
    SchemeFromFile scheme = ReadSchemeKeys(type, raw.scheme);
    if (!scheme.failedKey.empty()) {
        return Failure{scheme.failedKey};
    }
    raw.checkedScheme = scheme.scheme;
    if (raw.capacitors == static_cast<int>(CapacitorMode::ENTER)) {
        const bool mfbHighPass = type == FilterType::HIGHPASS &&
                                 static_cast<StructureKind>(raw.structure) == StructureKind::MFB;
        for (int s = 0; s < StageCountOf(raw); ++s) {
            const auto i = static_cast<size_t>(s);
            if (raw.caps.values[0][i] < 0.0) {
                return Failure{"C1", s + 1};
            }
            if (raw.caps.values[1][i] < 0.0) {
                return Failure{"C2", s + 1};
            }
            // This structure designs from C1 and C3.
            if (mfbHighPass && raw.caps.values[2][i] < 0.0) {
                return Failure{"C3", s + 1};
            }
        }
    }
    return std::nullopt;
}

void FillCharacter(const RawSpecification& raw, CCharacter& character) {
    const auto type = static_cast<FilterType>(raw.type);
    if (type == FilterType::BANDREJECT) {
        return;
    }
    const int n = type == FilterType::BANDPASS ? raw.order / 2 : raw.order;
    const auto characteristic = static_cast<Characteristic>(raw.characteristic);
    if (characteristic == Characteristic::INDIVIDUAL) {
        for (int s = 0; s < (n + 1) / 2; ++s) {
            character.individualQ[static_cast<size_t>(s)] = raw.q[static_cast<size_t>(s)];
            character.individualFrequency[static_cast<size_t>(s)] =
                raw.omega[static_cast<size_t>(s)];
        }
    }
    character.Set(characteristic, raw.rippleDb, n, type == FilterType::HIGHPASS);
}

void Store(const RawSpecification& raw, CFilter& filter, CCharacter& character) {
    const auto type = static_cast<FilterType>(raw.type);
    const auto structure = static_cast<StructureKind>(raw.structure);
    const auto capacitorMode = raw.capacitors == static_cast<int>(CapacitorMode::ENTER)
                                   ? CapacitorMode::ENTER
                                   : CapacitorMode::OPTIMIZE;
    const auto series = static_cast<ResistorSeries>(raw.resistors);
    if (type == FilterType::BANDREJECT) {
        filter.SetBandRejectSpecification(capacitorMode, series, raw.opAmp, raw.frequency,
                                          raw.impedance, raw.quality);
    } else {
        FillCharacter(raw, character);
        SpecificationBlock block = filter.Specification();
        block.capacitorMode = capacitorMode;
        block.equalCapacitors = raw.capacitors == kEqualCapacitors;
        block.characteristic = static_cast<Characteristic>(raw.characteristic);
        block.rippleDb = raw.rippleDb;
        block.resistorSeries = series;
        block.stageSequence = static_cast<StageSequence>(raw.sequence);
        block.frequency = raw.frequency;
        block.opAmp = raw.opAmp;
        block.impedance = raw.impedance;
        block.gainDb = raw.gainDb;
        block.orderLpHp = raw.order;
        block.orderBpBs = raw.order;
        block.bandwidth = raw.bandwidth;
        block.steplessR2 = raw.stepless;
        block.gainDistribution = static_cast<GainDistribution>(raw.gainDistribution);
        filter.SetSpecification(block, structure, type);
        filter.SetGainDistribution(raw.gainDistribution);
    }
    // A file without a scheme leaves none from the filter loaded before.
    filter.scheme = raw.checkedScheme;
    // Set after the specification, which keeps the record's search otherwise.
    filter.SetSearch(static_cast<SearchMethod>(raw.search), raw.impedanceWindow);
    const int stages = filter.StageCount();
    if (raw.gainDistribution == static_cast<int>(GainDistribution::VALUES) && IsLowHighPass(type)) {
        for (int s = 0; s < stages; ++s) {
            filter.SetStageGain(s, raw.gain[static_cast<size_t>(s)]);
        }
    }
    if (capacitorMode == CapacitorMode::ENTER) {
        constexpr ComponentSlot kCaps[] = {ComponentSlot::C1, ComponentSlot::C2, ComponentSlot::C3};
        for (int s = 0; s < stages; ++s) {
            for (ComponentSlot c : kCaps) {
                if (raw.caps.Value(c, s) >= 0.0) {
                    filter.SetValue(c, s, raw.caps.Value(c, s));
                }
            }
        }
        filter.SetCapsEnteredOrder(raw.order);
    }
}

}  // namespace

EnteredCapacitors::EnteredCapacitors() {
    for (auto& row : values) {
        row.fill(-1.0);
    }
}

double EnteredCapacitors::Value(ComponentSlot capacitor, int stage) const {
    const int which = static_cast<int>(capacitor);
    if (which < 0 || which > 2 || stage < 0 || stage >= kMaxStages) {
        return -1.0;
    }
    return values[static_cast<size_t>(which)][static_cast<size_t>(stage)];
}

SpecificationLoadResult ReadSpecification(std::string_view content, const std::string& pathText,
                                          CFilter& filter, CCharacter& character, const COpv& opv) {
    RawSpecification raw = Parse(content, opv);
    SpecificationLoadResult result;
    result.capacitors = raw.caps;
    if (const std::optional<Failure> failure = Check(raw)) {
        result.messages = {InvalidValueMessage(failure->key, failure->stage),
                           LoadSpecificationFailedMessage(pathText)};
        return result;
    }
    Store(raw, filter, character);
    result.ok = true;
    return result;
}

SpecificationLoadResult LoadSpecification(const std::filesystem::path& path, CFilter& filter,
                                          CCharacter& character, const COpv& opv) {
    const std::optional<std::string> content = ReadBoundedFile(path, kMaxSpecificationBytes);
    if (!content) {
        SpecificationLoadResult result;
        result.messages = {LoadSpecificationFailedMessage(path.string())};
        return result;
    }
    return ReadSpecification(*content, path.string(), filter, character, opv);
}

}  // namespace vx
