#include "model/opv.h"

#include <algorithm>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace vx {

namespace {

// ASCII only: model names are plain identifiers, and the process locale must not matter.
std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

}  // namespace

COpv::COpv() {
    // The ideal op-amp keeps a finite gain so that the reciprocal gain stays defined.
    Add("Idealer OPV", 100000000.0, 0.0, 0.0);
    Add("LF411", 133169.0, 0.002658067, 3.338664e-08);
    Add("uA741", 27148.72, 0.004350816, 9.192118e-08);
    models_[1].data.kind = "jfet";
    models_[2].data.kind = "bipolar";
}

const OpAmpData& COpv::Data(int i) const {
    static const OpAmpData kNone;
    return i >= 0 && i < Count() ? models_[i].data : kNone;
}

std::vector<std::string> COpv::AddModels(const std::vector<OpAmpData>& rows, bool own) {
    std::vector<std::string> refused;
    for (const OpAmpData& row : rows) {
        if (FindByName(row.name) >= 0 || UpperCase(row.name) == UpperCase(models_[0].name)) {
            refused.push_back(row.name);
            continue;
        }
        const TwoPoleModel m = ModelOf(row);
        models_.push_back(OpAmpModel{row.name, m.dcGain, m.t1, m.t2, row, own});
        // Sorted at once: FindByName above bisects.
        std::sort(models_.begin() + 1, models_.end(), [](const OpAmpModel& a, const OpAmpModel& b) {
            return UpperCase(a.name) < UpperCase(b.name);
        });
    }
    return refused;
}

std::string COpv::Name(int i) const {
    return i >= 0 && i < Count() ? models_[i].name : "";
}

double COpv::DcGain(int i) const {
    return i >= 0 && i < Count() ? models_[i].dcGain : 0.0;
}

double COpv::TimeConstant1(int i) const {
    return i >= 0 && i < Count() ? models_[i].timeConstant1 : 0.0;
}

double COpv::TimeConstant2(int i) const {
    return i >= 0 && i < Count() ? models_[i].timeConstant2 : 0.0;
}

void COpv::Add(std::string name, double dcGain, double t1, double t2) {
    // FindByName searches entries 1 and beyond by bisection, so they must stay sorted.
    if (Count() >= 2 && UpperCase(name).compare(UpperCase(models_.back().name)) <= 0) {
        throw std::invalid_argument("op-amp model '" + name + "' breaks the name order");
    }
    OpAmpData data;
    data.name = name;
    data.dcGain = dcGain;
    // The gain-bandwidth product as the design check states it, A0 / (2 pi T1): the LF411's
    // 8 MHz; its second pole lets the gain reach 1 lower, at 5.3 MHz.
    if (t1 > 0.0) {
        data.gbw = dcGain / (2.0 * std::numbers::pi * t1);
    }
    data.source = kBuiltInSource;
    models_.push_back(OpAmpModel{std::move(name), dcGain, t1, t2, std::move(data), false});
}

int COpv::FindByName(std::string_view name) const {
    const std::string wanted = UpperCase(name);
    if (wanted == "IDEAL") {
        return 0;
    }
    int low = 1;
    int high = Count() - 1;
    while (low <= high) {
        const int mid = low + (high - low) / 2;
        // Lexicographic order: on an equal common part the shorter text comes first.
        const int order = UpperCase(models_[mid].name).compare(wanted);
        if (order == 0) {
            return mid;
        }
        if (order > 0) {
            high = mid - 1;
        } else {
            low = mid + 1;
        }
    }
    return -1;
}

}  // namespace vx
