#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vx {

// One op-amp model: open-loop gain A(jw) = A0 / ((1 + jw T1)(1 + jw T2)).
struct OpAmpModel {
    std::string name;
    double dcGain;
    double timeConstant1;
    double timeConstant2;
};

// The op-amp models the user picks from; index 0 is always the ideal op-amp.
class COpv {
  public:
    COpv();

    int Count() const { return static_cast<int>(models_.size()); }
    std::string Name(int i) const;
    double DcGain(int i) const;
    double TimeConstant1(int i) const;
    double TimeConstant2(int i) const;

    // Entries 1 and beyond must stay in ascending order of their upper-case names.
    void Add(std::string name, double dcGain, double t1, double t2);
    // Index of the model with this name (case-insensitive), 0 for "IDEAL", or -1.
    int FindByName(std::string_view name) const;

  private:
    std::vector<OpAmpModel> models_;
};

}  // namespace vx
