#include "spice/pspice.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "model/filter.h"
#include "model/number_format.h"
#include "model/opv.h"
#include "spice/display_file.h"
#include "spice/netlist_stages.h"
#include "spice/opamp_subcircuits.h"
#include "spice/spice_messages.h"

namespace vx {

namespace {

void CheckMode(SpiceMode mode) {
    const int m = static_cast<int>(mode);
    if (m < 1 || m > 6) {
        throw std::invalid_argument("Spice mode must be 1 to 6");
    }
}

std::string ProbeText(SpiceMode mode) {
    switch (mode) {
        case SpiceMode::AMPLITUDE_DB:
        case SpiceMode::ALL:
            return ".PROBE VDB(";
        case SpiceMode::PHASE:
            return ".PROBE VP(";
        case SpiceMode::GROUP_DELAY:
            return ".PROBE VG(";
        case SpiceMode::AMPLITUDE_LINEAR:
        case SpiceMode::STEP_RESPONSE:
            return ".PROBE V(";
    }
    throw std::invalid_argument("Spice mode must be 1 to 6");
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return static_cast<bool>(file);
}

}  // namespace

CPspice::CPspice(const CFilter& filter, const COpv& opv) : CPspice(filter, opv, filter.spice) {}

CPspice::CPspice(const CFilter& filter, const COpv& opv, SpiceSettings settings)
    : filter_(filter), opv_(opv), settings_(std::move(settings)) {}

std::string CPspice::Caption(SpiceMode mode) {
    switch (mode) {
        case SpiceMode::AMPLITUDE_DB:
        case SpiceMode::AMPLITUDE_LINEAR:
            return "Spice - Amplitudengang";
        case SpiceMode::PHASE:
            return "Spice - Phasengang";
        case SpiceMode::GROUP_DELAY:
            return "Spice - Gruppenlaufzeit";
        case SpiceMode::STEP_RESPONSE:
            return "Spice - Sprungantwort";
        case SpiceMode::ALL:
            return "Spice - Amplitude+Phase+Laufzeit";
    }
    throw std::invalid_argument("Spice mode must be 1 to 6");
}

std::optional<UserMessage> CPspice::CheckConfiguration() const {
    // An executable and a library file that exist, whatever their names.
    std::string reason;
    std::error_code ec;
    if (settings_.command.empty()) {
        reason = spice_text::kNoExecutable;
    } else if (FindExecutable(settings_.command).empty()) {
        reason = spice_text::ProgramNotFoundText(settings_.command);
    } else if (settings_.tmpPath.empty()) {
        reason = spice_text::kNoTmpPath;
    } else if (settings_.library.empty()) {
        reason = spice_text::kNoLibrary;
    } else if (!std::filesystem::is_regular_file(settings_.library, ec)) {
        reason = spice_text::LibraryMissingText(settings_.library);
    }
    if (reason.empty()) {
        return std::nullopt;
    }
    return spice_text::ConfigurationMessage(reason);
}

std::string CPspice::FileName() const {
    std::string name = filter_.documentName;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

std::string CPspice::NetlistPath() const {
    return settings_.tmpPath + "/" + FileName() + ".cir";
}

std::string CPspice::DisplayPath() const {
    return settings_.tmpPath + "/" + FileName() + ".prb";
}

std::string CPspice::OwnLibraryPath() const {
    return opv_.IsOwn(filter_.OpAmp()) ? settings_.tmpPath + "/" + FileName() + "_opv.lib"
                                       : std::string();
}

std::string CPspice::Netlist(SpiceMode mode) const {
    CheckMode(mode);
    const double fRef = filter_.Frequency();
    const double t = 5.0 / fRef;
    const bool ac = mode != SpiceMode::STEP_RESPONSE;
    const int opAmp = filter_.OpAmp();

    std::string out = "* Analysis setup *\n.OPT RELTOL=1.0e-5\n";
    if (ac) {
        out += ".AC OCT 401 " + FormatG(fRef * filter_.PlotMin()) + " " +
               FormatG(fRef * filter_.PlotMax()) + "\n";
    } else {
        out += ".TRAN 1.0e-20 " + FormatG(t) + " 0 " + FormatG(t * 0.001) + "\n";
    }
    out += ".OP\n.LIB " + settings_.library + "\n";
    if (const std::string own = OwnLibraryPath(); !own.empty()) {
        out += ".LIB " + own + "\n";
    }
    if (opAmp != 0) {
        out += "* Supply Voltages *\nVP 1 0 12V\nVM 0 2 12V\n";
    }
    out += "* Input Source *\n";
    out += ac ? std::string("Vin 101 0 DC 0V AC 1V\n")
              : "Vin 101 0 PULSE 0 1 0 1p 1p " + FormatG(t) + " " + FormatG(t) + "\n";
    AppendStageLines(filter_, opAmp != 0 ? opv_.Name(opAmp) : std::string(), out);
    out += "* PROBE-Call *\n" + ProbeText(mode) + "0UT)\n.END\n";
    return out;
}

std::string CPspice::DisplayFile(SpiceMode mode) const {
    CheckMode(mode);
    const double fRef = filter_.Frequency();
    return DisplayFileText(mode, fRef * filter_.PlotMin(), fRef * filter_.PlotMax());
}

bool CPspice::IsNgspice() const {
    return std::filesystem::path(settings_.command).filename().string().rfind("ngspice", 0) == 0;
}

std::vector<std::string> CPspice::SimulatorArguments() const {
    std::vector<std::string> args{settings_.command};
    if (IsNgspice()) {
        args.insert(args.end(), {"-D", "ngbehavior=ps"});
    }
    args.push_back(NetlistPath());
    return args;
}

std::optional<UserMessage> CPspice::WriteFiles(SpiceMode mode) const {
    if (auto failure = CheckConfiguration()) {
        return failure;
    }
    if (!WriteText(NetlistPath(), Netlist(mode))) {
        return spice_text::CannotSaveMessage(NetlistPath());
    }
    if (const std::string own = OwnLibraryPath();
        !own.empty() && !WriteText(own, OwnOpAmpLibrary(opv_, filter_.OpAmp()))) {
        return spice_text::CannotSaveMessage(own);
    }
    if (!WriteText(DisplayPath(), DisplayFile(mode))) {
        return spice_text::CannotSaveMessage(DisplayPath());
    }
    return std::nullopt;
}

std::optional<UserMessage> CPspice::RunSimulation(SpiceMode mode, const Launcher& launch) const {
    if (auto failure = WriteFiles(mode)) {
        return failure;
    }
    if (!launch({SimulatorArguments(), {}, {}}).started) {
        return UserMessage{spice_text::kCaptionError, spice_text::kCannotStart};
    }
    return std::nullopt;
}

}  // namespace vx
