#include "session/design_session.h"

#include <algorithm>

#include "files/opamp_files.h"
#include "files/specification_reader.h"
#include "model/circuit_pairs.h"
#include "session/design_check.h"
#include "session/design_session_messages.h"
#include "structures/circuits/bp_mfb.h"
#include "structures/circuits/br_tt.h"
#include "structures/circuits/hp_mfb.h"
#include "structures/circuits/hp_sallen_key.h"
#include "structures/circuits/hp_sallen_key_x.h"
#include "structures/circuits/lp_mfb.h"
#include "structures/circuits/lp_sallen_key.h"
#include "structures/circuits/lp_sallen_key_x.h"

namespace vx {

namespace {

template <class T>
std::unique_ptr<CFilterStructure> Make() {
    return std::make_unique<T>();
}

// The class of each pair, in the order of kCircuitPairs.
constexpr std::array<std::unique_ptr<CFilterStructure> (*)(), kCircuitPairs.size()> kMakers = {
    Make<CLpSallenKey>, Make<CHpSallenKey>, Make<CLpSallenKeyX>, Make<CHpSallenKeyX>,
    Make<CLpMfb>,       Make<CHpMfb>,       Make<CBpMfb>,        Make<CBrTt>,
};

}  // namespace

int CDesignSession::SlotIndex(FilterType type, StructureKind structure) {
    return static_cast<int>(type) * 4 + static_cast<int>(structure);
}

CDesignSession::CDesignSession() {
    TakeInstalledOpAmps();
    for (size_t i = 0; i < kCircuitPairs.size(); ++i) {
        const CircuitPair& pair = kCircuitPairs[i];
        std::unique_ptr<CFilterStructure> object = kMakers[i]();
        object->Attach(filter_, opv_, character_, curves_);
        structures_[static_cast<size_t>(SlotIndex(pair.type, pair.structure))] = std::move(object);
    }
}

void CDesignSession::TakeInstalledOpAmps() {
    const std::string inUse = opv_.Name(filter_.OpAmp());
    opv_ = OpAmpListOf(InstalledOpAmps());
    filter_.SetOpAmp(std::max(0, opv_.FindByName(inUse)));
}

CFilterStructure* CDesignSession::StructureFor(FilterType type, StructureKind structure) {
    if (!HasCircuit(type, structure)) {
        return nullptr;
    }
    return structures_[static_cast<size_t>(SlotIndex(type, structure))].get();
}

void CDesignSession::FillCharacteristic() {
    if (filter_.Type() == FilterType::BANDREJECT) {
        return;
    }
    const int n = filter_.Type() == FilterType::BANDPASS ? filter_.Order() / 2 : filter_.Order();
    character_.Set(filter_.GetCharacteristic(), filter_.RippleDb(), n,
                   filter_.Type() == FilterType::HIGHPASS);
}

bool CDesignSession::Design(DesignMonitor& monitor) {
    CFilterStructure* structure = Current();
    if (structure == nullptr) {
        return false;
    }
    filter_.SetDesignState(DesignState::SPECIFIED);
    filter_.StampCreationTime();
    return structure->Design(monitor);
}

std::optional<DesignSnapshot> CDesignSession::KeepDesign() const {
    if (filter_.GetDesignState() != DesignState::DESIGNED) {
        return std::nullopt;
    }
    return DesignSnapshot{filter_, character_, curves_};
}

bool CDesignSession::RestoreIfUndone(const std::optional<DesignSnapshot>& kept) {
    if (!kept || filter_.GetDesignState() == DesignState::DESIGNED) {
        return false;
    }
    filter_ = kept->filter;
    character_ = kept->character;
    curves_ = kept->curves;
    return true;
}

std::optional<UserMessage> CDesignSession::DesignFailure() {
    const CFilterStructure* structure = Current();
    return structure != nullptr ? structure->Failure() : std::nullopt;
}

LoadResult CDesignSession::LoadAndDesign(const std::filesystem::path& path, DesignMonitor& monitor,
                                         CapacitorPrompt& prompt, const SearchOverride& search) {
    SpecificationLoadResult loaded = LoadSpecification(path, filter_, character_, opv_);
    if (!loaded.ok) {
        return {LoadOutcome::NOT_LOADED, std::move(loaded.messages)};
    }
    const SearchInput chosen = Overridden(SearchInputFrom(filter_), search);
    filter_.SetSearch(chosen.method, chosen.window);
    // The curves' grid reaches the scheme's edges, where its plot and yield need it.
    filter_.FitPlotRangeToScheme();
    filter_.documentFolder = path.parent_path().string();
    filter_.documentName = path.stem().string();
    // The reader accepts only the pairs a structure serves.
    CFilterStructure& structure = *Current();
    if (filter_.GetCapacitorMode() == CapacitorMode::ENTER) {
        const bool entered =
            structure.PrepareUntilStable() && structure.EnterAllCapacitors(false, prompt);
        if (!entered) {
            filter_.SetDesignState(DesignState::CANCELLED);
            if (const std::optional<UserMessage>& failure = structure.Failure()) {
                return {LoadOutcome::NOT_REALISABLE, {*failure}};
            }
            return {LoadOutcome::CAPACITORS_REFUSED, {}};
        }
    }
    const bool designed = Design(monitor);
    filter_.specModified = false;
    if (!designed) {
        return {LoadOutcome::NOT_REALISABLE, {*structure.Failure()}};
    }
    LoadResult result;
    result.outcome = filter_.GetDesignState() == DesignState::CANCELLED ? LoadOutcome::CANCELLED
                                                                        : LoadOutcome::DESIGNED;
    if (std::optional<UserMessage> notice = TakeGainReducedNotice(filter_)) {
        result.messages.push_back(std::move(*notice));
    }
    return result;
}

void CDesignSession::SetSearchOptions(const SearchOptions& options) {
    searchOptions_ = options;
    for (const std::unique_ptr<CFilterStructure>& structure : structures_) {
        if (structure) {
            structure->SetSearchOptions(options);
        }
    }
}

std::vector<std::string> CDesignSession::Findings() {
    const CFilterStructure* structure = Current();
    if (structure == nullptr || filter_.GetDesignState() != DesignState::DESIGNED) {
        return {};
    }
    return CheckDesign(filter_, curves_, *structure, opv_);
}

FilterDynamics CDesignSession::Dynamics() {
    const std::optional<DesignTransfers> transfers = Transfers();
    return transfers ? ComputeDynamics(*transfers, kCurvePoints) : FilterDynamics{};
}

std::optional<DesignTransfers> CDesignSession::Transfers() {
    CFilterStructure* structure = Current();
    if (structure == nullptr || filter_.GetDesignState() != DesignState::DESIGNED) {
        return std::nullopt;
    }
    return structure->CaptureTransfers();
}

std::optional<ResponseCurves> CDesignSession::CurvesOver(double startFactor, double endFactor) {
    CFilterStructure* structure = Current();
    if (structure == nullptr || filter_.GetDesignState() != DesignState::DESIGNED) {
        return std::nullopt;
    }
    const ResponseCurves kept = curves_;
    structure->PrepareUntilStable();
    structure->SetCurveRange(startFactor, endFactor);
    structure->RecomputeCurves();
    ResponseCurves zoomed = std::move(curves_);
    // Back on the record's grid, for everything else that reads the structure.
    structure->PrepareUntilStable();
    curves_ = kept;
    return zoomed;
}

bool CDesignSession::RecomputeCurves() {
    CFilterStructure* structure = Current();
    if (structure == nullptr) {
        return false;
    }
    structure->PrepareUntilStable();
    structure->RecomputeCurves();
    return true;
}

}  // namespace vx
