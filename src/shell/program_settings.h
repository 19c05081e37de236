#pragma once

#include <array>
#include <string>
#include <variant>
#include <vector>

#include "model/curve_selection.h"
#include "model/spice_settings.h"
#include "shell/window_placement.h"

// The settings the program keeps between runs (sections "View", "Spice", "Document", "Update"
// and "Windows"), their defaults on Linux, and how they reach the filter record.
namespace vx {

class CFilter;

// Size type of the main window as the settings store it.
enum class WindowSizeType { RESTORED = 0, MINIMISED = 1, MAXIMISED = 2 };

struct ProgramSettings {
    int width = 625;  // main window
    int height = 441;
    int sizeType = static_cast<int>(WindowSizeType::RESTORED);
    CurveSelection curves;
    std::string fmin = "0.5";
    std::string fmax = "2.0";
    SpiceSettings spice;
    std::string documentPath;
    int filterparamsInOutput = 0;
    // The designer named in the reports and specification files.
    std::string designerName;
    std::string designerOrganisation;
    std::string checkDate;                 // last successful update check, "%d-%02d-%02d"
    std::vector<std::string> recentFiles;  // specifications, the most recent first
    // Where each window beside the main window was last, as PlaceText; empty for nowhere yet.
    std::array<std::string, kPlacedWindowCount> places;

    bool operator==(const ProgramSettings&) const = default;
};

// The defaults with the Linux paths: ngspice, the system's temporary folder, the installed
// op-amp library and the home folder.
ProgramSettings DefaultProgramSettings();

// One stored value: its section, its key and the field that holds it; the curve selection is
// stored as its bits, a window's place as the text of its slot in `places`.
struct SettingKey {
    const char* section;
    const char* key;
    std::variant<int ProgramSettings::*, std::string ProgramSettings::*,
                 CurveSelection ProgramSettings::*, std::string SpiceSettings::*,
                 std::vector<std::string> ProgramSettings::*, PlacedWindow>
        field;
    // The plot range, the update date, the recent files and the windows' places are written
    // when they change, not on closing.
    bool writtenOnClose;
};
const std::vector<SettingKey>& SettingKeys();

// A value as the settings store keeps it: a number, a text or a list of texts.
using StoredValue = std::variant<int, std::string, std::vector<std::string>>;
StoredValue ValueOf(const ProgramSettings& settings, const SettingKey& key);
// Takes a value of the key's kind (a number for a number).
void SetValue(ProgramSettings& settings, const SettingKey& key, const StoredValue& value);

// The key of a window's place.
const char* PlaceKey(PlacedWindow window);

// A window stored as minimised opens in the default size.
void NormaliseWindowSize(ProgramSettings& settings);

// Puts the settings that the record carries into it (curve selection, plot range, Spice,
// document folder, report option); a stored plot range the record refuses is left out.
void ApplySettings(const ProgramSettings& settings, CFilter& filter);
// Takes them back from the record before they are written.
void TakeSettings(const CFilter& filter, ProgramSettings& settings);

// The designer as reports and specification files name them: the name, then ", " and the
// organisation when there is one.
std::string DesignerOf(const ProgramSettings& settings);

// A plot range factor as the settings store it: "%f".
std::string PlotFactorText(double factor);

}  // namespace vx
