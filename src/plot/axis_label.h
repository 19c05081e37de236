#pragma once

#include <string>
#include <string_view>

// Frequency labels of the plot axes: one number form along an axis, and a width estimate that
// the usual sans-serif fonts stay within, so that labels spaced by it cannot run together.
namespace vx {

// The screen's plot font is fitted so that a digit is at most this wide, in pixels.
inline constexpr double kScreenDigitWidth = 6.0;
// A digit's share of the font size: 0.636 in DejaVu Sans, 0.556 in Arial; the wider one.
inline constexpr double kDigitPerFontSize = 0.64;

// The fewest significant digits, up to `maxDigits`, that give f: the rounder a tick, the fewer.
int SignificantDigits(double f, int maxDigits);

// The text of a frequency with a unit prefix on every value ("1k 1,1k 1,2k", never
// "1k 1100"), with the fewest significant digits, up to `maxDigits`, that give the value.
std::string AxisFrequencyLabel(double f, int maxDigits);

// How wide `text` is drawn at most, in device units, in a font whose digits are `digitWidth`
// wide.
double LabelWidth(std::string_view text, double digitWidth);

}  // namespace vx
