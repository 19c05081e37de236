#include "shell/program_settings.h"

#include <cstdlib>
#include <stdexcept>

#include "files/specification_writer.h"
#include "model/filter.h"
#include "model/number_format.h"
#include "spice/spice_defaults.h"

namespace vx {

ProgramSettings DefaultProgramSettings() {
    ProgramSettings s;
    s.spice = DefaultSpiceSettings();
    const char* home = std::getenv("HOME");
    s.documentPath = home != nullptr && *home != '\0' ? std::string(home) : std::string("/");
    return s;
}

const std::vector<SettingKey>& SettingKeys() {
    using S = ProgramSettings;
    static const std::vector<SettingKey> keys = {
        {"View", "cx", &S::width, true},
        {"View", "cy", &S::height, true},
        {"View", "nType", &S::sizeType, true},
        {"View", "Graph", &S::curves, true},
        {"View", "fmin", &S::fmin, false},
        {"View", "fmax", &S::fmax, false},
        {"Spice", "Command", &SpiceSettings::command, true},
        {"Spice", "TmpPath", &SpiceSettings::tmpPath, true},
        {"Spice", "Lib", &SpiceSettings::library, true},
        {"Document", "Path", &S::documentPath, true},
        {"Document", "FilterparamsInOutput", &S::filterparamsInOutput, true},
        {"Document", "Designer", &S::designerName, true},
        {"Document", "Organisation", &S::designerOrganisation, true},
        {"Update", "CheckDate", &S::checkDate, false},
        {"Document", "RecentFiles", &S::recentFiles, false},
        {"Windows", "Dimensioning", PlacedWindow::DIMENSIONING, false},
        {"Windows", "Schematic", PlacedWindow::SCHEMATIC, false},
        {"Windows", "Parameters", PlacedWindow::PARAMETERS, false},
        {"Windows", "Tolerance", PlacedWindow::TOLERANCE, false},
        {"Windows", "FrequencyMarks", PlacedWindow::FREQUENCY_MARKS, false},
        {"Windows", "AmplitudeMarks", PlacedWindow::AMPLITUDE_MARKS, false},
        {"Windows", "SpiceResult", PlacedWindow::SPICE_RESULT, false},
        {"Windows", "Help", PlacedWindow::HELP, false},
        {"Windows", "Noise", PlacedWindow::NOISE, false},
    };
    return keys;
}

const char* PlaceKey(PlacedWindow window) {
    for (const SettingKey& key : SettingKeys()) {
        if (const auto* placed = std::get_if<PlacedWindow>(&key.field);
            placed && *placed == window) {
            return key.key;
        }
    }
    throw std::invalid_argument("window without a place in the settings");
}

namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
// Clang 14, which builds the fuzz harnesses, deduces aggregates only with a guide.
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace

StoredValue ValueOf(const ProgramSettings& settings, const SettingKey& key) {
    using S = ProgramSettings;
    return std::visit(
        Overloaded{[&](int S::*f) -> StoredValue { return settings.*f; },
                   [&](std::string S::*f) -> StoredValue { return settings.*f; },
                   [&](CurveSelection S::*f) -> StoredValue { return (settings.*f).Bits(); },
                   [&](std::string SpiceSettings::*f) -> StoredValue { return settings.spice.*f; },
                   [&](std::vector<std::string> S::*f) -> StoredValue { return settings.*f; },
                   [&](PlacedWindow w) -> StoredValue {
                       return settings.places.at(static_cast<size_t>(w));
                   }},
        key.field);
}

void SetValue(ProgramSettings& settings, const SettingKey& key, const StoredValue& value) {
    using S = ProgramSettings;
    std::visit(Overloaded{[&](int S::*f) { settings.*f = std::get<int>(value); },
                          [&](std::string S::*f) { settings.*f = std::get<std::string>(value); },
                          [&](CurveSelection S::*f) {
                              settings.*f = CurveSelection::FromBits(std::get<int>(value));
                          },
                          [&](std::string SpiceSettings::*f) {
                              settings.spice.*f = std::get<std::string>(value);
                          },
                          [&](std::vector<std::string> S::*f) {
                              settings.*f = std::get<std::vector<std::string>>(value);
                          },
                          [&](PlacedWindow w) {
                              settings.places.at(static_cast<size_t>(w)) =
                                  std::get<std::string>(value);
                          }},
               key.field);
}

void NormaliseWindowSize(ProgramSettings& settings) {
    if (settings.sizeType == static_cast<int>(WindowSizeType::MINIMISED)) {
        const ProgramSettings defaults;
        settings.width = defaults.width;
        settings.height = defaults.height;
    }
}

void ApplySettings(const ProgramSettings& settings, CFilter& filter) {
    filter.SetCurves(settings.curves);
    filter.SetPlotRange(ParseDouble(settings.fmin), ParseDouble(settings.fmax));
    filter.spice = settings.spice;
    filter.documentFolder = settings.documentPath;
    filter.filterparamsInOutput = settings.filterparamsInOutput != 0;
}

void TakeSettings(const CFilter& filter, ProgramSettings& settings) {
    settings.curves = filter.Curves();
    settings.fmin = PlotFactorText(filter.PlotMin());
    settings.fmax = PlotFactorText(filter.PlotMax());
    settings.spice = filter.spice;
    settings.documentPath = filter.documentFolder;
    settings.filterparamsInOutput = filter.filterparamsInOutput ? 1 : 0;
}

std::string DesignerOf(const ProgramSettings& settings) {
    return DesignerText(settings.designerName, settings.designerOrganisation);
}

std::string PlotFactorText(double factor) {
    return FormatF(factor, 6);
}

}  // namespace vx
