#include "spice/ngspice_job.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <utility>

#include "model/number_format.h"
#include "spice/pspice.h"
#include "spice/spice_messages.h"

namespace vx {

namespace {

// Lines of ngspice's output that a failure message quotes.
constexpr size_t kQuotedLogLines = 8;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream buffer;
    buffer << file.rdbuf();
    return buffer.str();
}

// wrdata writes one line per point: for each vector the scale (frequency or time), then its
// value.
SimulatedColumns ReadColumns(const std::string& path, size_t expressions) {
    const std::string text = ReadText(path);
    SimulatedColumns columns;
    columns.values.resize(expressions);
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
            columns.x.push_back(numbers[0]);
            for (size_t e = 0; e < expressions; ++e) {
                columns.values[e].push_back(numbers[2 * e + 1]);
            }
        }
        pos = end + 1;
    }
    return columns;
}

// The last kQuotedLogLines non-empty lines of ngspice's output.
std::vector<std::string> LastLines(const std::string& log) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < log.size()) {
        size_t end = log.find('\n', pos);
        if (end == std::string::npos) {
            end = log.size();
        }
        std::string_view line = std::string_view(log).substr(pos, end - pos);
        while (!line.empty() && IsBlank(line.back())) {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            lines.emplace_back(line);
        }
        pos = end + 1;
    }
    if (lines.size() > kQuotedLogLines) {
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(kQuotedLogLines));
    }
    return lines;
}

}  // namespace

CNgspiceJob::CNgspiceJob(const CPspice& spice, SpiceMode mode, std::vector<std::string> expressions,
                         std::string caption, std::optional<NgspiceAnalysis> extra)
    : folder_(spice.Settings().tmpPath),
      command_(spice.Settings().command),
      netlistName_(spice.FileName() + ".cir"),
      base_(spice.FileName() + "_ngspice"),
      transient_(mode == SpiceMode::STEP_RESPONSE),
      expressions_(std::move(expressions)),
      caption_(std::move(caption)),
      extra_(std::move(extra)) {}

std::string CNgspiceJob::FileName(const char* suffix) const {
    return base_ + suffix;
}

std::string CNgspiceJob::InFolder(const std::string& name) const {
    return folder_ + "/" + name;
}

std::optional<UserMessage> CNgspiceJob::WriteControlFile() const {
    std::error_code ignored;
    std::filesystem::remove(InFolder(FileName(".txt")), ignored);
    // "0UT" must be quoted, or it reads as a number; after .OP the current plot is the
    // operating point, so the analysis is selected by name.
    std::string control = "* Veltranix\n.control\nsource " + netlistName_ + "\nrun\n";
    if (extra_) {
        control += extra_->command + "\nsetplot " + extra_->plot + "\n";
    } else {
        control += std::string("setplot ") + (transient_ ? "tran1" : "ac1") + "\n";
    }
    std::string columns;
    for (size_t e = 0; e < expressions_.size(); ++e) {
        const std::string name = "vx" + FormatInt(static_cast<long long>(e));
        control += "let " + name + " = " + expressions_[e] + "\n";
        columns += " " + name;
    }
    control += "wrdata " + FileName(".txt") + columns + "\nquit\n.endc\n.end\n";
    const std::string path = InFolder(FileName(".sp"));
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << control;
    file.close();
    if (!file) {
        return spice_text::CannotSaveMessage(path);
    }
    return std::nullopt;
}

ProcessRequest CNgspiceJob::Request() const {
    return {{command_, "-b", "-D", "ngbehavior=ps", FileName(".sp")}, FileName(".log"), folder_};
}

std::variant<SimulatedColumns, UserMessage> CNgspiceJob::Read(const ProcessResult& end,
                                                              int limitSeconds) const {
    if (!end.started) {
        return UserMessage{caption_, spice_text::CannotStartText(command_)};
    }
    const std::string log = ReadText(InFolder(FileName(".log")));
    if (end.timedOut) {
        return UserMessage{caption_, spice_text::TimedOutText(limitSeconds, LastLines(log))};
    }
    SimulatedColumns columns = ReadColumns(InFolder(FileName(".txt")), expressions_.size());
    // A curve needs two points at least.
    if (columns.x.size() < 2) {
        return UserMessage{caption_, spice_text::NoResultsText(end.exitCode, LastLines(log))};
    }
    return columns;
}

}  // namespace vx
