#pragma once

#include <array>
#include <memory>
#include <optional>

#include "analysis/show_fregang.h"
#include "model/character.h"
#include "model/filter.h"
#include "model/opv.h"
#include "model/user_message.h"
#include "structures/filter_structure.h"

namespace vx {

// What the application owns for a whole run: the filter record, the op-amp models, the
// characteristic, the four response curves and one structure object per pair of filter type
// and circuit structure. Several sessions may design side by side on different threads.
class CDesignSession {
  public:
    CDesignSession();

    CFilter& Filter() { return filter_; }
    const CFilter& Filter() const { return filter_; }
    COpv& OpAmps() { return opv_; }
    const COpv& OpAmps() const { return opv_; }
    CCharacter& Character() { return character_; }
    const CCharacter& Character() const { return character_; }
    ResponseCurves& Curves() { return curves_; }
    const ResponseCurves& Curves() const { return curves_; }

    // The structure object for a type and structure, or nullptr for a pair no structure serves.
    CFilterStructure* StructureFor(FilterType type, StructureKind structure);
    // The structure of the record's current type and structure (nullptr when none serves it).
    CFilterStructure* Current() { return StructureFor(filter_.Type(), filter_.Structure()); }

    // Fills the characteristic's coefficient list for the record's characteristic and order
    // (half the order for a band-pass); the band-stop needs none.
    void FillCharacteristic();

    // Designs the current specification (SPECIFIED, then DESIGNED or CANCELLED). Returns false
    // when no structure serves the record's type and structure, or when the specification cannot
    // be designed (DesignFailure() says why; the record is then CANCELLED).
    bool Design(DesignMonitor& monitor);
    // Why the current structure's last design or capacitor entry could not be done.
    std::optional<UserMessage> DesignFailure();
    // Recomputes the curves of the design stored in the record.
    bool RecomputeCurves();

    // How every structure of the session searches (threads, pruning).
    void SetSearchOptions(const SearchOptions& options);
    const SearchOptions& GetSearchOptions() const { return searchOptions_; }

  private:
    static int SlotIndex(FilterType type, StructureKind structure);

    CFilter filter_;
    COpv opv_;
    CCharacter character_;
    ResponseCurves curves_;
    std::array<std::unique_ptr<CFilterStructure>, 16> structures_;
    SearchOptions searchOptions_;
};

}  // namespace vx
