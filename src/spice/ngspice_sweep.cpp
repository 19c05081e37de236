#include "spice/ngspice_sweep.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>

#include "model/number_format.h"
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

namespace {

std::variant<AcSweep, UserMessage> Run(const CFilter& filter, const COpv& opv,
                                       const SpiceSettings& configured, SpiceMode mode,
                                       const std::vector<std::string>& expressions,
                                       std::optional<NgspiceAnalysis> extra) {
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
    const CNgspiceJob job(spice, mode, expressions, spice_text::kCaptionCheck, std::move(extra));
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

}  // namespace

std::variant<AcSweep, UserMessage> RunNgspice(const CFilter& filter, const COpv& opv,
                                              const SpiceSettings& settings, SpiceMode mode,
                                              const std::vector<std::string>& expressions) {
    return Run(filter, opv, settings, mode, expressions, std::nullopt);
}

std::variant<AcSweep, UserMessage> RunNgspiceNoise(const CFilter& filter, const COpv& opv,
                                                   const SpiceSettings& settings, double low,
                                                   double high, int perDecade) {
    const NgspiceAnalysis noise{
        "noise v(0UT) vin dec " + FormatInt(perDecade) + " " + FormatG(low) + " " + FormatG(high),
        "noise1"};
    return Run(filter, opv, settings, SpiceMode::AMPLITUDE_LINEAR, {"onoise_spectrum"}, noise);
}

}  // namespace vx
