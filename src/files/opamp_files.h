#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/opamp_data.h"
#include "model/opv.h"
#include "model/user_message.h"

// Where the op-amps beyond the built-in ones come from: the catalogue shipped with the program
// and the user's own models, and the list of both this run offers.
namespace vx {

struct OpAmpLibrary {
    std::vector<OpAmpData> catalogue;
    std::vector<OpAmpData> own;
    // What could not be read, for the user; what was read before a fault is kept.
    std::vector<UserMessage> problems;
};

// The shipped catalogue (opamps.csv in the data folder); empty when it is nowhere.
std::string CatalogueOpAmpPath();
// The user's own models: veltranix-opamps.csv beside the settings ($XDG_CONFIG_HOME, else
// ~/.config, then Brennholt).
std::string OwnOpAmpPath();

// Reads both files; a missing own file is no problem, a missing catalogue is.
OpAmpLibrary LoadOpAmpLibrary(const std::string& cataloguePath, const std::string& ownPath);
// Writes the own models, creating the folder; false when the file cannot be written.
bool SaveOwnOpAmps(const std::string& path, const std::vector<OpAmpData>& own);

// The models of the library a design picks from: the built-in ones, the catalogue's and the own
// (a name the list holds already is left out).
COpv OpAmpListOf(const OpAmpLibrary& library);

// The list this run offers: every design session takes it when it is made. The front ends
// install it at start and after the user changed the own models; until then it is empty and
// sessions have the built-in models only.
OpAmpLibrary InstalledOpAmps();
void InstallOpAmps(OpAmpLibrary library);
// The own models after the user changed them: written to `path`, then installed beside the
// catalogue installed before. A file that cannot be written is told by its name, and the
// installed list stays as it was.
std::optional<UserMessage> SaveAndInstallOwnOpAmps(const std::string& path,
                                                   std::vector<OpAmpData> own);

}  // namespace vx
