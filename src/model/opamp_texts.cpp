#include "model/opamp_texts.h"

#include <algorithm>
#include <cmath>

#include "model/number_text.h"
#include "model/opv.h"

namespace vx {

namespace {

// Plain figures: "0,9", "13", "2,5k"; no "m", which would read as a unit in a column of them.
std::string Figure(double x) {
    return FormatValueNoMilli(x, true, 3, ValueKind::ANY);
}

std::string Gbw(double hz) {
    return FormatQuantity(hz, "Hz", ValueKind::ANY);
}

std::string Supply(const OpAmpData& d) {
    const bool low = std::isfinite(d.supplyMin);
    const bool high = std::isfinite(d.supplyMax);
    if (low && high) {
        return d.supplyMin == d.supplyMax
                   ? Figure(d.supplyMax) + " V"
                   : Figure(d.supplyMin) + " .. " + Figure(d.supplyMax) + " V";
    }
    if (high) {
        return "bis " + Figure(d.supplyMax) + " V";
    }
    return low ? "ab " + Figure(d.supplyMin) + " V" : std::string();
}

// Folded to lower case in ASCII only: the process locale must not matter, and makers and
// classes are plain words.
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Contains(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char a, char b) { return Lower(a) == Lower(b); }) != text.end();
}

std::string Kind(const COpv& opv, int index) {
    return opv.IsOwn(index) ? opamp_text::kOwnKind : opv.Data(index).kind;
}

}  // namespace

std::vector<std::string> OpAmpRow(const COpv& opv, int index) {
    const OpAmpData& d = opv.Data(index);
    const auto known = [](double x, const std::string& text) {
        return std::isfinite(x) ? text : std::string();
    };
    return {opv.Name(index),
            d.maker,
            Kind(opv, index),
            known(d.gbw, Gbw(d.gbw)),
            known(d.phaseMargin, Figure(d.phaseMargin) + "°"),
            known(d.slewRate, Figure(d.slewRate) + " V/µs"),
            known(d.voltageNoise, Figure(d.voltageNoise)),
            Supply(d),
            d.source};
}

bool OpAmpMatches(const COpv& opv, int index, std::string_view filter) {
    const OpAmpData& d = opv.Data(index);
    return Contains(opv.Name(index), filter) || Contains(d.maker, filter) ||
           Contains(Kind(opv, index), filter);
}

std::string OpAmpFigures(const COpv& opv, int index) {
    const OpAmpData& d = opv.Data(index);
    if (!std::isfinite(d.gbw)) {
        return "ohne Grenze der Bandbreite";
    }
    std::string text = "GBW " + Gbw(d.gbw);
    if (std::isfinite(d.slewRate)) {
        text += ", " + Figure(d.slewRate) + " V/µs";
    }
    if (std::isfinite(d.voltageNoise)) {
        text += ", " + Figure(d.voltageNoise) + " nV/√Hz";
    }
    return text;
}

std::string OpAmpNameWithGbw(const COpv& opv, int index) {
    const double gbw = opv.Data(index).gbw;
    return index == 0 || !std::isfinite(gbw) ? opv.Name(index)
                                             : opv.Name(index) + " (GBW " + Gbw(gbw) + ")";
}

}  // namespace vx
