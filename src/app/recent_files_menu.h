#pragma once

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace vx {

class CSettingsStore;
struct ProgramSettings;

// The recently used specification files in the "Datei" menu: one entry each, the most recent
// first, with a separator after them; kept in the settings as soon as the list changes.
class CRecentFilesMenu {
  public:
    // The entries go to the end of `menu` as it is now; `open` is told the path of an entry
    // the user chose.
    CRecentFilesMenu(QMenu* menu, CSettingsStore& store, ProgramSettings& settings,
                     std::function<void(const std::string&)> open);

    // A file loaded or saved comes first.
    void Add(const std::string& path);
    // A file that is gone leaves the list.
    void Remove(const std::string& path);

  private:
    void Keep(std::vector<std::string> list);
    void ShowEntries();

    QMenu* menu_;
    std::vector<QAction*> entries_;  // kRecentFileCount, the unused ones hidden
    QAction* separator_;
    CSettingsStore& store_;
    ProgramSettings& settings_;
    std::function<void(const std::string&)> open_;
};

}  // namespace vx
