#pragma once

#include <cmath>
#include <span>

#include "structures/filter_structure.h"

namespace vx {

// One row of a structure's slot table: which member of its stage values holds a named
// component of the record's stage table.
template <class StageValues>
struct ComponentField {
    ComponentSlot slot;
    double StageValues::*field;
};

// A structure whose current stage is described by a record of component values, stored in and
// loaded from the specification record through the structure's slot table.
template <class StageValues>
class CStructureWithValues : public CFilterStructure {
  public:
    using Slots = std::span<const ComponentField<StageValues>>;

    CStructureWithValues(int gridPoints, Slots slots)
        : CFilterStructure(gridPoints), slots_(slots) {}

    void StoreStageValues(int stage) override {
        for (const ComponentField<StageValues>& f : slots_) {
            Filter().SetValue(f.slot, stage, values_.*f.field);
        }
    }
    // Fields without a slot read as 0; of two slots of one field the later one is read.
    void LoadStageValues(int stage) override {
        values_ = {};
        for (const ComponentField<StageValues>& f : slots_) {
            values_.*f.field = Filter().Value(f.slot, stage);
        }
    }

    const StageValues& Values() const { return values_; }
    void SetValues(const StageValues& v) { values_ = v; }

  protected:
    StageValues values_;

  private:
    Slots slots_;
};

}  // namespace vx
