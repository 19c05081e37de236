#pragma once

#include <array>
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
// loaded from the specification record through the structure's slot table. `capacitors` lists
// the capacitors the user chooses, in the order of the capacitor captions.
template <class StageValues>
class CStructureWithValues : public CFilterStructure {
  public:
    using Slots = std::span<const ComponentField<StageValues>>;

    CStructureWithValues(int gridPoints, Slots slots, Slots capacitors)
        : CFilterStructure(gridPoints), slots_(slots), capacitors_(capacitors) {}

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

    // The chosen capacitor `which` as stored for `stage`; 0 for one the structure does not have.
    double StoredCapacitor(int stage, int which) const override {
        return which >= 0 && which < static_cast<int>(capacitors_.size())
                   ? Filter().Value(capacitors_[static_cast<size_t>(which)].slot, stage)
                   : 0.0;
    }
    // The chosen capacitors (as many as the structure has), the resistors for them, stored.
    void DesignFromCapacitors(int stage, double first, double second) override {
        SelectStage(stage);
        const double given[] = {first, second};
        for (size_t i = 0; i < capacitors_.size() && i < 2; ++i) {
            values_.*capacitors_[i].field = given[i];
        }
        ResistorsFromCapacitors();
        StoreStageValues(stage);
    }

    const StageValues& Values() const { return values_; }
    void SetValues(const StageValues& v) { values_ = v; }

  protected:
    void KeepStageValues(int stage, StageVersion version) override {
        kept_[static_cast<size_t>(version)][static_cast<size_t>(stage)] = values_;
    }
    void RecallStageValues(int stage, StageVersion version) override {
        values_ = kept_[static_cast<size_t>(version)][static_cast<size_t>(stage)];
    }
    // The rest of the stage for the capacitors in values_.
    virtual void ResistorsFromCapacitors() = 0;
    bool StageValuesFinite() const override {
        for (const ComponentField<StageValues>& f : slots_) {
            if (!std::isfinite(values_.*f.field)) {
                return false;
            }
        }
        return true;
    }

    StageValues values_;

  private:
    Slots slots_;
    Slots capacitors_;
    // Per StageVersion the values of every stage.
    std::array<std::array<StageValues, kMaxStages>, 3> kept_{};
};

}  // namespace vx
