#include "spice/verify.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <sstream>
#include <utility>
#include <vector>

#include "model/number_format.h"
#include "spice/pspice.h"
#include "structures/design_session.h"

namespace vx {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// wrdata writes one line per frequency: the frequency, then the magnitude.
std::vector<std::pair<double, double>> ReadColumns(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream buffer;
    buffer << file.rdbuf();
    const std::string text = buffer.str();
    std::vector<std::pair<double, double>> rows;
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
        if (numbers.size() >= 2) {
            rows.emplace_back(numbers[0], numbers[1]);
        }
        pos = end + 1;
    }
    return rows;
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return static_cast<bool>(file);
}

}  // namespace

SpiceVerification VerifyWithNgspice(CDesignSession& session, const SpiceSettings& settings) {
    SpiceVerification result;
    CFilterStructure* structure = session.Current();
    if (structure == nullptr || session.Filter().GetDesignState() != DesignState::DESIGNED) {
        result.error = "no designed filter";
        return result;
    }
    const CPspice spice(session.Filter(), session.OpAmps(), settings);
    if (auto failure = spice.WriteFiles(SpiceMode::AMPLITUDE_LINEAR)) {
        result.error = failure->text;
        return result;
    }

    // ngspice's source command takes no quoted path, so it runs in the folder and reads the
    // files by name (a name has no blanks). After .OP the current plot is the operating point:
    // the AC sweep is selected by name. "0UT" must be quoted, or it reads as a number.
    const std::string base = spice.FileName() + "_verify";
    const std::string control = "* Veltranix verification\n.control\nsource " + spice.FileName() +
                                ".cir\nrun\nsetplot ac1\nwrdata " + base +
                                ".txt mag(v(\"0ut\"))\nquit\n.endc\n.end\n";
    const std::string dir = settings.tmpPath + "/";
    std::remove((dir + base + ".txt").c_str());
    if (!WriteText(dir + base + ".sp", control)) {
        result.error = "cannot write " + dir + base + ".sp";
        return result;
    }
    const ProcessResult run =
        RunProcess({{settings.command, "-b", "-D", "ngbehavior=ps", base + ".sp"},
                    base + ".log",
                    settings.tmpPath});
    if (!run.started) {
        result.error = "cannot start " + settings.command;
        return result;
    }
    const auto rows = ReadColumns(dir + base + ".txt");
    if (rows.empty()) {
        result.error = "ngspice gave no data (exit status " + FormatInt(run.exitCode) + "), see " +
                       dir + base + ".log";
        return result;
    }

    std::vector<double> computed;
    computed.reserve(rows.size());
    double peak = 0.0;
    for (const auto& row : rows) {
        computed.push_back(structure->StoredMagnitude(2.0 * std::numbers::pi * row.first));
        peak = std::max(peak, computed.back());
    }
    const double floor = peak * std::pow(10.0, -kVerifyFloorDb / 20.0);
    for (size_t k = 0; k < rows.size(); ++k) {
        if (computed[k] <= floor) {
            continue;
        }
        const double deviation = std::fabs(20.0 * std::log10(rows[k].second / computed[k]));
        ++result.points;
        if (!(deviation <= result.maxDeviationDb)) {
            result.maxDeviationDb = deviation;
            result.worstFrequency = rows[k].first;
        }
    }
    result.ok = result.points > 0;
    if (!result.ok) {
        result.error = "no frequency within " + FormatG(kVerifyFloorDb) + " dB of the maximum";
    }
    return result;
}

}  // namespace vx
