#include "cli/cli_output.h"

#include <cstdio>
#include <exception>
#include <fstream>

namespace vx::cli {

int UsageError(const std::string& command, const std::string& message) {
    std::fprintf(stderr, "veltranix-cli %s: %s\n", command.c_str(), message.c_str());
    return 2;
}

void PrintMessage(const UserMessage& message) {
    std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
}

int RunGuarded(const std::function<int()>& command, std::FILE* err) {
    std::string what;
    try {
        return command();
    } catch (const std::exception& e) {
        what = e.what();
    } catch (...) {
        what = "?";
    }
    const UserMessage message = InternalErrorMessage(what);
    std::fprintf(err, "%s: %s\n", message.caption.c_str(), message.text.c_str());
    return kInternalError;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

}  // namespace vx::cli
