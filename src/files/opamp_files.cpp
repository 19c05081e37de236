#include "files/opamp_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <utility>

#include "files/shipped_data.h"
#include "model/opamp_table.h"

namespace vx {

namespace fs = std::filesystem;

namespace {

std::mutex& LibraryMutex() {
    static std::mutex mutex;
    return mutex;
}

OpAmpLibrary& Library() {
    static OpAmpLibrary library;
    return library;
}

}  // namespace

std::string CatalogueOpAmpPath() {
    return FindShippedData("opamps.csv", "data/opamps.csv");
}

std::string OwnOpAmpPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    fs::path folder;
    if (config != nullptr && *config != '\0') {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        folder = fs::path(home != nullptr ? home : ".") / ".config";
    }
    return (folder / "Brennholt" / "veltranix-opamps.csv").string();
}

OpAmpLibrary LoadOpAmpLibrary(const std::string& cataloguePath, const std::string& ownPath) {
    OpAmpLibrary library;
    auto read = [&library](const std::string& path, std::vector<OpAmpData>& rows, bool needed) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            if (needed) {
                library.problems.push_back(
                    {"Operationsverstärker",
                     "Der Katalog der Operationsverstärker \"" + path +
                         "\" kann nicht gelesen werden. Es gibt nur die eingebauten Modelle."});
            }
            return;
        }
        std::ostringstream text;
        text << file.rdbuf();
        OpAmpTable table = ParseOpAmpTable(text.str(), path);
        rows = std::move(table.rows);
        if (table.error) {
            library.problems.push_back(*table.error);
        }
    };
    read(cataloguePath, library.catalogue, true);
    std::error_code ec;
    if (fs::exists(ownPath, ec)) {
        read(ownPath, library.own, true);
    }
    for (OpAmpData& row : library.own) {
        row.kind = row.kind.empty() ? "eigen" : row.kind;
    }
    return library;
}

bool SaveOwnOpAmps(const std::string& path, const std::vector<OpAmpData>& own) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << OpAmpTableText(own);
    return static_cast<bool>(file.flush());
}

COpv OpAmpListOf(const OpAmpLibrary& library) {
    COpv list;
    list.AddModels(library.catalogue, false);
    list.AddModels(library.own, true);
    return list;
}

OpAmpLibrary InstalledOpAmps() {
    const std::lock_guard lock(LibraryMutex());
    return Library();
}

void InstallOpAmps(OpAmpLibrary library) {
    const std::lock_guard lock(LibraryMutex());
    Library() = std::move(library);
}

std::optional<UserMessage> SaveAndInstallOwnOpAmps(const std::string& path,
                                                   std::vector<OpAmpData> own) {
    if (!SaveOwnOpAmps(path, own)) {
        return UserMessage{"Operationsverstärker",
                           "Die eigenen Operationsverstärker können nicht in \"" + path +
                               "\" gespeichert werden. Die Liste bleibt, wie sie war."};
    }
    const std::lock_guard lock(LibraryMutex());
    Library().own = std::move(own);
    // Told at the start; what is installed now is what the user sees.
    Library().problems.clear();
    return std::nullopt;
}

}  // namespace vx
