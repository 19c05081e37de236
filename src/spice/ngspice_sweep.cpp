#include "spice/ngspice_sweep.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

#include "model/number_format.h"
#include "spice/process_runner.h"
#include "spice/pspice.h"
#include "spice/spice_messages.h"

namespace vx {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream buffer;
    buffer << file.rdbuf();
    return buffer.str();
}

// wrdata writes one line per frequency: for each vector the frequency, then its value.
AcSweep ReadColumns(const std::string& path, size_t expressions) {
    const std::string text = ReadText(path);
    AcSweep sweep;
    sweep.values.resize(expressions);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::vector<double> numbers;
        size_t i = pos;
        while (i < end) {
            while (i < end && IsBlank(text[i])) {
                ++i;
            }
            const size_t start = i;
            while (i < end && !IsBlank(text[i])) {
                ++i;
            }
            if (i > start) {
                numbers.push_back(ParseDouble(std::string_view(text).substr(start, i - start)));
            }
        }
        if (numbers.size() >= 2 * expressions) {
            sweep.frequencies.push_back(numbers[0]);
            for (size_t e = 0; e < expressions; ++e) {
                sweep.values[e].push_back(numbers[2 * e + 1]);
            }
        }
        pos = end + 1;
    }
    return sweep;
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return static_cast<bool>(file);
}

// A folder of its own for one simulation, removed with everything in it afterwards.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "veltranix-ngspice-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchFolder() {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace

std::variant<AcSweep, UserMessage> RunNgspiceAc(const CFilter& filter, const COpv& opv,
                                                const SpiceSettings& configured,
                                                const std::vector<std::string>& expressions) {
    const ScratchFolder scratch;
    if (scratch.Path().empty()) {
        return UserMessage{spice_text::kCaptionCheck, spice_text::kNoScratchFolder};
    }
    SpiceSettings settings = configured;
    settings.tmpPath = scratch.Path();
    const CPspice spice(filter, opv, settings);
    if (auto failure = spice.WriteFiles(SpiceMode::AMPLITUDE_LINEAR)) {
        return *failure;
    }

    // ngspice's source command takes no quoted path, so it runs in the folder and reads the
    // files by name (a name has no blanks). "0UT" must be quoted, or it reads as a number;
    // after .OP the current plot is the operating point, so the sweep is selected by name.
    const std::string base = spice.FileName() + "_sweep";
    std::string control =
        "* Veltranix sweep\n.control\nsource " + spice.FileName() + ".cir\nrun\nsetplot ac1\n";
    std::string columns;
    for (size_t e = 0; e < expressions.size(); ++e) {
        const std::string name = "vx" + FormatInt(static_cast<long long>(e));
        control += "let " + name + " = " + expressions[e] + "\n";
        columns += " " + name;
    }
    control += "wrdata " + base + ".txt" + columns + "\nquit\n.endc\n.end\n";
    const std::string dir = settings.tmpPath + "/";
    if (!WriteText(dir + base + ".sp", control)) {
        return UserMessage{spice_text::kCaptionCheck,
                           dir + base + ".sp" + spice_text::kCannotSaveScratch};
    }
    const ProcessResult run =
        RunProcess({{settings.command, "-b", "-D", "ngbehavior=ps", base + ".sp"},
                    base + ".log",
                    settings.tmpPath});
    if (!run.started) {
        return UserMessage{spice_text::kCaptionCheck,
                           std::string(spice_text::kCannotStart) + ": " + settings.command};
    }
    AcSweep sweep = ReadColumns(dir + base + ".txt", expressions.size());
    if (sweep.frequencies.empty()) {
        return UserMessage{spice_text::kCaptionCheck, spice_text::kNoResults +
                                                          FormatInt(run.exitCode) + ").\n\n" +
                                                          ReadText(dir + base + ".log")};
    }
    return sweep;
}

}  // namespace vx
