#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/filter.h"
#include "model/user_message.h"

namespace vx {

class CCharacter;
class COpv;

// Capacitors of the stage sections, -1 where a stage gave none.
struct EnteredCapacitors {
    // [0] C1, [1] C2, [2] C3 of stages 0..14.
    std::array<std::array<double, kMaxStages>, 3> values;

    EnteredCapacitors();
    double Value(ComponentSlot capacitor, int stage) const;
};

struct SpecificationLoadResult {
    bool ok = false;
    // On failure, the messages to show in this order (the reason, then the load message).
    std::vector<UserMessage> messages;
    EnteredCapacitors capacitors;
};

// A larger file is refused unread: real ones stay below a few kilobytes.
inline constexpr size_t kMaxSpecificationBytes = 1024 * 1024;

// Reads and checks a specification file. Only a file that passed every check is stored: the
// record (specification, stage gains, entered capacitors in the stage table, capsEnteredOrder)
// and the characteristic's pole data. A failed load changes nothing.
SpecificationLoadResult LoadSpecification(const std::filesystem::path& path, CFilter& filter,
                                          CCharacter& character, const COpv& opv);
// The same from the file's content; `pathText` names the file in the messages.
SpecificationLoadResult ReadSpecification(std::string_view content, const std::string& pathText,
                                          CFilter& filter, CCharacter& character, const COpv& opv);

}  // namespace vx
