// Bytes as a specification file: whatever the reader accepts, the writer must write so that the
// reader accepts it again and the second write gives the same file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/specification_reader.h"
#include "files/specification_writer.h"
#include "model/character.h"
#include "model/filter.h"
#include "model/opv.h"

namespace {

struct Record {
    vx::CFilter filter;
    vx::CCharacter character;

    // The file's date comes from the filter's clock, not from the file.
    Record() { filter.SetCreationStamp("2024-01-01 00:00"); }
};

bool Read(std::string_view text, const vx::COpv& opv, Record& record) {
    return vx::ReadSpecification(text, "fuzz.vxs", record.filter, record.character, opv).ok;
}

std::string Write(const Record& record, const vx::COpv& opv) {
    return vx::SpecificationText(record.filter, record.character, opv, "Fuzz");
}

[[noreturn]] void Fail(const char* what, const std::string& first, const std::string& second) {
    std::fprintf(stderr, "%s\n--- first write ---\n%s\n--- second write ---\n%s\n", what,
                 first.c_str(), second.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const vx::COpv opv;
    Record first;
    if (!Read(std::string_view(reinterpret_cast<const char*>(data), size), opv, first)) {
        return 0;
    }
    const std::string written = Write(first, opv);
    Record second;
    if (!Read(written, opv, second)) {
        Fail("the reader rejects what the writer wrote", written, "");
    }
    const std::string rewritten = Write(second, opv);
    if (rewritten != written) {
        Fail("the record changed on its way through the file", written, rewritten);
    }
    return 0;
}
