#include "spice/ngspice_sweep.h"

#include <cstdlib>
#include <filesystem>

#include "spice/ngspice_job.h"
#include "spice/process_runner.h"
#include "spice/pspice.h"
#include "spice/spice_messages.h"

namespace vx {

namespace {

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
                                                const SpiceSettings& settings,
                                                const std::vector<std::string>& expressions) {
    return RunNgspice(filter, opv, settings, SpiceMode::AMPLITUDE_LINEAR, expressions);
}

std::variant<AcSweep, UserMessage> RunNgspice(const CFilter& filter, const COpv& opv,
                                              const SpiceSettings& configured, SpiceMode mode,
                                              const std::vector<std::string>& expressions) {
    const ScratchFolder scratch;
    if (scratch.Path().empty()) {
        return UserMessage{spice_text::kCaptionCheck, spice_text::kNoScratchFolder};
    }
    SpiceSettings settings = configured;
    settings.tmpPath = scratch.Path();
    const CPspice spice(filter, opv, settings);
    if (auto failure = spice.WriteFiles(mode)) {
        return *failure;
    }
    const CNgspiceJob job(spice, mode, expressions, spice_text::kCaptionCheck);
    if (auto failure = job.WriteControlFile()) {
        return *failure;
    }
    std::variant<SimulatedColumns, UserMessage> run = job.Read(RunProcess(job.Request()));
    if (auto* failure = std::get_if<UserMessage>(&run)) {
        return *failure;
    }
    SimulatedColumns& columns = std::get<SimulatedColumns>(run);
    return AcSweep{std::move(columns.x), std::move(columns.values)};
}

}  // namespace vx
