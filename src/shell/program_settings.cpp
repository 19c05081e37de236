#include "shell/program_settings.h"

#include <cstdlib>

#include "files/specification_writer.h"
#include "model/filter.h"
#include "model/number_format.h"
#include "spice/spice_settings.h"

namespace vx {

ProgramSettings DefaultProgramSettings() {
    ProgramSettings s;
    const SpiceSettings spice = DefaultSpiceSettings();
    s.spiceCommand = spice.command;
    s.spiceTmpPath = spice.tmpPath;
    s.spiceLib = spice.library;
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
        {"View", "Graph", &S::graph, true},
        {"View", "fmin", &S::fmin, false},
        {"View", "fmax", &S::fmax, false},
        {"Spice", "Command", &S::spiceCommand, true},
        {"Spice", "TmpPath", &S::spiceTmpPath, true},
        {"Spice", "Lib", &S::spiceLib, true},
        {"Document", "Path", &S::documentPath, true},
        {"Document", "FilterparamsInOutput", &S::filterparamsInOutput, true},
        {"Document", "Designer", &S::designerName, true},
        {"Document", "Organisation", &S::designerOrganisation, true},
        {"Update", "CheckDate", &S::checkDate, false},
    };
    return keys;
}

void NormaliseWindowSize(ProgramSettings& settings) {
    if (settings.sizeType == static_cast<int>(WindowSizeType::MINIMISED)) {
        const ProgramSettings defaults;
        settings.width = defaults.width;
        settings.height = defaults.height;
    }
}

void ApplySettings(const ProgramSettings& settings, CFilter& filter) {
    filter.SetGraph(settings.graph);
    filter.SetPlotRange(ParseDouble(settings.fmin), ParseDouble(settings.fmax));
    filter.spiceCommand = settings.spiceCommand;
    filter.spiceTmpPath = settings.spiceTmpPath;
    filter.spiceLib = settings.spiceLib;
    filter.documentFolder = settings.documentPath;
    filter.filterparamsInOutput = settings.filterparamsInOutput != 0;
}

void TakeSettings(const CFilter& filter, ProgramSettings& settings) {
    settings.graph = filter.Graph();
    settings.fmin = PlotFactorText(filter.PlotMin());
    settings.fmax = PlotFactorText(filter.PlotMax());
    settings.spiceCommand = filter.spiceCommand;
    settings.spiceTmpPath = filter.spiceTmpPath;
    settings.spiceLib = filter.spiceLib;
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
