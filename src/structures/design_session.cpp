#include "structures/design_session.h"

#include "structures/bp_mfb.h"
#include "structures/br_tt.h"
#include "structures/hp_mfb.h"
#include "structures/hp_sallen_key.h"
#include "structures/hp_sallen_key_x.h"
#include "structures/lp_mfb.h"
#include "structures/lp_sallen_key.h"
#include "structures/lp_sallen_key_x.h"

namespace vx {

namespace {

template <class T>
std::unique_ptr<CFilterStructure> Make() {
    return std::make_unique<T>();
}

}  // namespace

int CDesignSession::SlotIndex(FilterType type, StructureKind structure) {
    return static_cast<int>(type) * 4 + static_cast<int>(structure);
}

CDesignSession::CDesignSession() {
    auto put = [this](FilterType type, StructureKind structure,
                      std::unique_ptr<CFilterStructure> object) {
        object->Attach(filter_, opv_, character_, curves_);
        structures_[static_cast<size_t>(SlotIndex(type, structure))] = std::move(object);
    };
    put(FilterType::LOWPASS, StructureKind::SALLEN_KEY, Make<CLpSallenKey>());
    put(FilterType::HIGHPASS, StructureKind::SALLEN_KEY, Make<CHpSallenKey>());
    put(FilterType::LOWPASS, StructureKind::SALLEN_KEY_X, Make<CLpSallenKeyX>());
    put(FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X, Make<CHpSallenKeyX>());
    put(FilterType::LOWPASS, StructureKind::MFB, Make<CLpMfb>());
    put(FilterType::HIGHPASS, StructureKind::MFB, Make<CHpMfb>());
    put(FilterType::BANDPASS, StructureKind::MFB, Make<CBpMfb>());
    put(FilterType::BANDREJECT, StructureKind::TWIN_T, Make<CBrTt>());
}

CFilterStructure* CDesignSession::StructureFor(FilterType type, StructureKind structure) {
    const int slot = SlotIndex(type, structure);
    if (slot < 0 || slot >= static_cast<int>(structures_.size())) {
        return nullptr;
    }
    return structures_[static_cast<size_t>(slot)].get();
}

void CDesignSession::FillCharacteristic() {
    if (filter_.Type() == FilterType::BANDREJECT) {
        return;
    }
    const int n = filter_.Type() == FilterType::BANDPASS ? filter_.Order() / 2 : filter_.Order();
    switch (filter_.GetCharacteristic()) {
        case Characteristic::BESSEL:
            character_.SetBessel(n);
            break;
        case Characteristic::BUTTERWORTH:
            character_.SetButterworth(n);
            break;
        case Characteristic::CHEBYCHEV:
            character_.SetChebyshev(filter_.RippleDb(), n);
            break;
        case Characteristic::INDIVIDUAL:
            character_.SetIndividual(n, filter_.Type() == FilterType::HIGHPASS);
            break;
    }
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

std::optional<UserMessage> CDesignSession::DesignFailure() {
    const CFilterStructure* structure = Current();
    return structure != nullptr ? structure->Failure() : std::nullopt;
}

void CDesignSession::SetSearchOptions(const SearchOptions& options) {
    searchOptions_ = options;
    for (const std::unique_ptr<CFilterStructure>& structure : structures_) {
        if (structure) {
            structure->SetSearchOptions(options);
        }
    }
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
