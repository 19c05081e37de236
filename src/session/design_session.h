#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/character.h"
#include "model/filter.h"
#include "model/opv.h"
#include "model/search_input.h"
#include "model/user_message.h"
#include "response/show_fregang.h"
#include "structures/capacitors/capacitor_prompt.h"
#include "structures/design_monitor.h"
#include "structures/filter_structure.h"

namespace vx {

// What came of loading a specification file and designing it.
enum class LoadOutcome {
    NOT_LOADED,          // the file could not be read or failed a check; the record is unchanged
    CAPACITORS_REFUSED,  // the prompt refused the entered capacitors; nothing was designed
    CANCELLED,           // the monitor stopped the design
    NOT_REALISABLE,      // no circuit realises the specification; the messages say why (CANCELLED)
    DESIGNED,
};

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::NOT_LOADED;
    // What to show the user, in this order: why the load failed, or the notices of the design
    // (a lowered gain). What the design asked or told through the prompt stays with the prompt.
    std::vector<UserMessage> messages;
};

// A finished design as it stood before a new run: brought back when that run is cancelled or
// fails, so that no work is lost.
struct DesignSnapshot {
    CFilter filter;
    CCharacter character;
    ResponseCurves curves;
};

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

    // The op-amps the run offers (InstalledOpAmps) in place of the list the session had; the
    // record keeps its op-amp by name, or takes the ideal one when it is gone.
    void TakeInstalledOpAmps();

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
    // The Load flow, for every front end: reads and checks the file (a failed load changes
    // nothing), names the specification after the file, hands the entered capacitors of the
    // file to the structure (questions go to `prompt`), designs with `monitor` and marks the
    // loaded specification as unmodified. A refused capacitor entry leaves the state CANCELLED.
    // `search` replaces what the file says of the search (a window already checked).
    //
    // The desktop application calls it from a worker thread. Until it returns, no other thread
    // may touch the session; `monitor` is called from the design's threads, and `prompt` from
    // the calling thread, which it must block until the user has answered.
    LoadResult LoadAndDesign(const std::filesystem::path& path, DesignMonitor& monitor,
                             CapacitorPrompt& prompt, const SearchOverride& search = {});
    // The current design, taken before a new specification or capacitor run; nothing when no
    // finished design is there to keep.
    std::optional<DesignSnapshot> KeepDesign() const;
    // Brings back `kept` when the run after it did not end DESIGNED; returns whether it did.
    bool RestoreIfUndone(const std::optional<DesignSnapshot>& kept);
    // Why the current structure's last design or capacitor entry could not be done.
    std::optional<UserMessage> DesignFailure();
    // What the design check finds in the finished design: empty while none is finished.
    std::vector<std::string> Findings();
    // Recomputes the curves of the design stored in the record.
    bool RecomputeCurves();
    // Phase and time responses of the finished design (see ComputeDynamics), from its stored
    // values; empty while none is finished.
    FilterDynamics Dynamics();
    // The finished design's stages as rational functions on the record's curve grid; nothing
    // while none is finished.
    std::optional<DesignTransfers> Transfers();
    // The four curves of the finished design from `startFactor` to `endFactor` times the filter
    // frequency (a zoomed diagram); the session's own curves stay on the record's range.
    // Nothing while no design is finished.
    std::optional<ResponseCurves> CurvesOver(double startFactor, double endFactor);

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
