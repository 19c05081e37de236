#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

#include "model/filter.h"

// The words of the specification's enumerations: the command line's (lower case, hyphenated)
// and the specification file's (upper case). Both sides compare them exactly.
namespace vx {

enum class WordColumn { COMMAND_LINE, FILE };

template <class E>
struct EnumWord {
    E value;
    std::string_view commandLine;  // empty: the command line has no word for the value
    std::string_view file;         // empty: the file has no word for it

    std::string_view In(WordColumn column) const {
        return column == WordColumn::COMMAND_LINE ? commandLine : file;
    }
};

// One row per value, in the order of the values: the file's scanner numbers its words so.
template <class E>
std::span<const EnumWord<E>> EnumWords();
template <>
std::span<const EnumWord<FilterType>> EnumWords<FilterType>();
template <>
std::span<const EnumWord<StructureKind>> EnumWords<StructureKind>();
template <>
std::span<const EnumWord<Characteristic>> EnumWords<Characteristic>();
template <>
std::span<const EnumWord<ResistorSeries>> EnumWords<ResistorSeries>();
template <>
std::span<const EnumWord<StageSequence>> EnumWords<StageSequence>();
template <>
std::span<const EnumWord<GainDistribution>> EnumWords<GainDistribution>();
template <>
std::span<const EnumWord<CapacitorMode>> EnumWords<CapacitorMode>();
template <>
std::span<const EnumWord<SearchMethod>> EnumWords<SearchMethod>();

// The value a word names in `column` of `rows`; none for an unknown word.
template <class E>
std::optional<E> EnumOfWord(std::span<const EnumWord<E>> rows, std::string_view word,
                            WordColumn column) {
    for (const EnumWord<E>& row : rows) {
        if (!word.empty() && row.In(column) == word) {
            return row.value;
        }
    }
    return std::nullopt;
}

template <class E>
std::optional<E> EnumOfWord(std::string_view word, WordColumn column) {
    return EnumOfWord(EnumWords<E>(), word, column);
}

// The word of `value` in `column`; a value without one is a programming error.
template <class E>
std::string_view WordOfEnum(std::span<const EnumWord<E>> rows, E value, WordColumn column) {
    for (const EnumWord<E>& row : rows) {
        if (row.value == value && !row.In(column).empty()) {
            return row.In(column);
        }
    }
    throw std::logic_error("enumeration value without a word");
}

template <class E>
std::string_view WordOfEnum(E value, WordColumn column) {
    return WordOfEnum(EnumWords<E>(), value, column);
}

// Older files name a Chebyshev characteristic with a fixed ripple in one word; the reader
// takes them, the writer writes CHEBYCHEV and RIPPLE_DB.
struct FixedRippleWord {
    std::string_view file;
    double rippleDb;
};
std::span<const FixedRippleWord> FixedRippleWords();

// The file's CAPACITORS word for optimised capacitors that are all equal; the command line says
// it with a flag of its own.
inline constexpr std::string_view kEqualCapacitorsFileWord = "OPTIMIZE_EQUAL";

}  // namespace vx
