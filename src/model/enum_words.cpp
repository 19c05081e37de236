#include "model/enum_words.h"

namespace vx {

namespace {

constexpr EnumWord<FilterType> kTypes[] = {
    {FilterType::LOWPASS, "lowpass", "LOWPASS"},
    {FilterType::HIGHPASS, "highpass", "HIGHPASS"},
    {FilterType::BANDPASS, "bandpass", "BANDPASS"},
    {FilterType::BANDREJECT, "bandreject", "BANDREJECT"},
};

constexpr EnumWord<StructureKind> kStructures[] = {
    {StructureKind::SALLEN_KEY, "sk", "SK"},
    {StructureKind::SALLEN_KEY_X, "skx", "SKX"},
    {StructureKind::MFB, "mfb", "MFB"},
    {StructureKind::TWIN_T, "twin-t", "TWIN-T"},
};

// The file keeps the old spelling CHEBYCHEV.
constexpr EnumWord<Characteristic> kCharacteristics[] = {
    {Characteristic::BESSEL, "bessel", "BESSEL"},
    {Characteristic::BUTTERWORTH, "butterworth", "BUTTERWORTH"},
    {Characteristic::CHEBYCHEV, "chebyshev", "CHEBYCHEV"},
    {Characteristic::INDIVIDUAL, "individual", "INDIVIDUAL"},
};

constexpr EnumWord<ResistorSeries> kSeries[] = {
    {ResistorSeries::E12, "E12", "E12"},    {ResistorSeries::E24, "E24", "E24"},
    {ResistorSeries::E48, "E48", "E48"},    {ResistorSeries::E96, "E96", "E96"},
    {ResistorSeries::E192, "E192", "E192"},
};

constexpr EnumWord<StageSequence> kSequences[] = {
    {StageSequence::HIGH_LEVEL, "high-level", "HIGH_LEVEL"},
    {StageSequence::LOW_NOISE, "low-noise", "LOW_NOISE"},
};

constexpr EnumWord<GainDistribution> kDistributions[] = {
    {GainDistribution::EQUAL, "equal", "EQUAL"},
    {GainDistribution::EQUAL_GBP, "equal-gbp", "EQUAL_GBP"},
    {GainDistribution::VALUES, "values", "VALUES"},
};

constexpr EnumWord<CapacitorMode> kCapacitorModes[] = {
    {CapacitorMode::ENTER, "enter", "ENTER"},
    {CapacitorMode::OPTIMIZE, "optimize", "OPTIMIZE"},
};

constexpr EnumWord<SearchMethod> kSearchMethods[] = {
    {SearchMethod::NEIGHBOURS, "neighbours", "NEIGHBOURS"},
    {SearchMethod::EXHAUSTIVE, "exhaustive", "EXHAUSTIVE"},
};

constexpr FixedRippleWord kFixedRipples[] = {
    {"CHEBYCHEV0.5DB", 0.5},
    {"CHEBYCHEV1DB", 1.0},
    {"CHEBYCHEV2DB", 2.0},
    {"CHEBYCHEV3DB", 3.0},
};

}  // namespace

template <>
std::span<const EnumWord<FilterType>> EnumWords<FilterType>() {
    return kTypes;
}

template <>
std::span<const EnumWord<StructureKind>> EnumWords<StructureKind>() {
    return kStructures;
}

template <>
std::span<const EnumWord<Characteristic>> EnumWords<Characteristic>() {
    return kCharacteristics;
}

template <>
std::span<const EnumWord<ResistorSeries>> EnumWords<ResistorSeries>() {
    return kSeries;
}

template <>
std::span<const EnumWord<StageSequence>> EnumWords<StageSequence>() {
    return kSequences;
}

template <>
std::span<const EnumWord<GainDistribution>> EnumWords<GainDistribution>() {
    return kDistributions;
}

template <>
std::span<const EnumWord<CapacitorMode>> EnumWords<CapacitorMode>() {
    return kCapacitorModes;
}

template <>
std::span<const EnumWord<SearchMethod>> EnumWords<SearchMethod>() {
    return kSearchMethods;
}

std::span<const FixedRippleWord> FixedRippleWords() {
    return kFixedRipples;
}

}  // namespace vx
