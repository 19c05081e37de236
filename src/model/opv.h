#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/opamp_data.h"

namespace vx {

// One op-amp model: open-loop gain A(jw) = A0 / ((1 + jw T1)(1 + jw T2)), with the datasheet
// figures it was made from.
struct OpAmpModel {
    std::string name;
    double dcGain;
    double timeConstant1;
    double timeConstant2;
    OpAmpData data;
    bool own = false;  // one of the user's own models
};

// The source named for the models the program has always had.
inline constexpr const char* kBuiltInSource = "eingebautes Modell";

// The op-amp models the user picks from; index 0 is always the ideal op-amp.
class COpv {
  public:
    COpv();

    int Count() const { return static_cast<int>(models_.size()); }
    std::string Name(int i) const;
    double DcGain(int i) const;
    double TimeConstant1(int i) const;
    double TimeConstant2(int i) const;

    // The datasheet figures of model i (the built-in ones give their gain-bandwidth product).
    const OpAmpData& Data(int i) const;
    bool IsOwn(int i) const { return i > 0 && i < Count() && models_[i].own; }

    // Entries 1 and beyond must stay in ascending order of their upper-case names.
    void Add(std::string name, double dcGain, double t1, double t2);
    // Adds each row with its two-pole model (ModelOf) and puts entries 1 and beyond in name
    // order again, so that the indices of the models after them move. A row whose name the list
    // holds already is left out; their names are returned.
    std::vector<std::string> AddModels(const std::vector<OpAmpData>& rows, bool own);
    // Index of the model with this name (case-insensitive), 0 for "IDEAL", or -1.
    int FindByName(std::string_view name) const;

  private:
    std::vector<OpAmpModel> models_;
};

}  // namespace vx
