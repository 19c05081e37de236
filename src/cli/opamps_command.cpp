#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/option_table.h"
#include "files/opamp_files.h"
#include "model/own_opamp_input.h"
#include "report/opamp_list.h"

namespace vx::cli {

namespace {

constexpr const char* kCommand = "opamps";
// The table is laid out for a terminal this wide.
constexpr int kTableWidth = 120;

constexpr const char* kUsage =
    "usage: veltranix-cli opamps [--csv]\n"
    "       veltranix-cli opamps --add NAME --gbw HZ [figures]\n"
    "       veltranix-cli opamps --remove NAME\n"
    "\n"
    "Lists the op-amp models (the ideal one, the built-in ones, the catalogue and your own), or\n"
    "adds or removes one of your own. Numbers take unit prefixes and a decimal comma: 8M, 1,5.\n"
    "\n"
    "options:\n";

struct OpAmpsOptions {
    bool csv = false;
    bool help = false;
    std::optional<std::string> add;
    std::optional<std::string> remove;
    OwnOpAmpInput input;
    bool figuresGiven = false;  // a field of --add
};

OptionAction Given(std::optional<std::string>& target) {
    return [&target](const std::string& value) {
        target = value;
        return std::string();
    };
}

CommandGrammar OpAmpsGrammar(OpAmpsOptions& o) {
    constexpr OptionValue kValue = OptionValue::REQUIRED;
    const auto figure = [&o](const char* name, const char* help, std::string& target) {
        return Option{name, kValue, help, [&o, &target](const std::string& value) {
                          target = value;
                          o.figuresGiven = true;
                          return std::string();
                      }};
    };
    OwnOpAmpInput& in = o.input;
    return {
        {{"option ",
          {
              FlagOption("--csv",
                         "  --csv               list as CSV: the model the design uses, its "
                         "loop figures and the\n"
                         "                      datasheet's figures\n",
                         o.csv),
              {"--remove", kValue, "  --remove NAME       remove an own model\n", Given(o.remove)},
              {"--add", kValue, "  --add NAME          add an own model, saved for every run\n",
               Given(o.add)},
              figure("--gbw", "  --gbw HZ            gain-bandwidth product (needed)\n", in.gbw),
              figure("--a0", "  --a0 DB             open-loop DC gain [100]\n", in.dcGainDb),
              figure("--phase-margin",
                     "  --phase-margin DEG  phase margin at unity gain [90, one pole]\n",
                     in.phaseMargin),
              figure("--slew", "  --slew V/US         slew rate\n", in.slewRate),
              figure("--en", "  --en NV             voltage noise in nV/rtHz at 1 kHz\n",
                     in.voltageNoise),
              figure("--en-corner", "  --en-corner HZ      its 1/f corner\n",
                     in.voltageNoiseCorner),
              figure("--in", "  --in PA             current noise in pA/rtHz at 1 kHz\n",
                     in.currentNoise),
              figure("--in-corner", "  --in-corner HZ      its 1/f corner\n",
                     in.currentNoiseCorner),
              figure("--supply-min",
                     "  --supply-min V, --supply-max V   total supply voltage range\n",
                     in.supplyMin),
              figure("--supply-max", "", in.supplyMax),
              figure("--swing", "  --swing V           how far the output stays off each rail\n",
                     in.swingToRail),
              figure("--rail-to-rail", "  --rail-to-rail R    in, out or in/out\n", in.railToRail),
              figure("--maker", "  --maker TEXT        the maker\n", in.maker),
              figure("--source", "  --source TEXT       where the figures come from\n", in.source),
              FlagOption("--help", "  --help              show this text\n", o.help),
              FlagOption("-h", "", o.help),
          }}},
        "-",
        {}};
}

std::string Help() {
    OpAmpsOptions unused;
    return kUsage + OptionsHelp(OpAmpsGrammar(unused));
}

// Own models are written back whole: with a file read only in part, the lines not read would be
// lost, and with the catalogue missing a name could clash with it later.
bool Incomplete(const OpAmpLibrary& library) {
    if (library.problems.empty()) {
        return false;
    }
    std::fprintf(stderr,
                 "veltranix-cli %s: the op-amp list was not read completely (see above); "
                 "own models stay unchanged\n",
                 kCommand);
    return true;
}

int Save(OpAmpLibrary library) {
    const std::string path = OwnOpAmpPath();
    if (!SaveOwnOpAmps(path, library.own)) {
        return UsageError(kCommand, "cannot write " + path);
    }
    // Later commands of this run, and the tests that run commands in-process, see the change.
    InstallOpAmps(std::move(library));
    return 0;
}

int Add(const OpAmpsOptions& o) {
    OpAmpLibrary library = InstalledOpAmps();
    if (Incomplete(library)) {
        return 1;
    }
    OwnOpAmpInput input = o.input;
    input.name = *o.add;
    const auto read = ReadOwnOpAmp(input, OpAmpListOf(library));
    if (const UserMessage* message = std::get_if<UserMessage>(&read)) {
        PrintMessage(*message);
        return 1;
    }
    library.own.push_back(std::get<OpAmpData>(read));
    if (const int status = Save(library)) {
        return status;
    }
    const COpv list = OpAmpListOf(InstalledOpAmps());
    std::printf("%s\n", OpAmpModelLine(list, list.FindByName(input.name)).c_str());
    return 0;
}

int Remove(const std::string& name) {
    OpAmpLibrary library = InstalledOpAmps();
    if (Incomplete(library)) {
        return 1;
    }
    const COpv list = OpAmpListOf(library);
    const int index = list.FindByName(name);
    if (!list.IsOwn(index)) {
        PrintMessage(NotOwnOpAmpMessage(name));
        return 1;
    }
    const std::string stored = list.Name(index);
    std::erase_if(library.own, [&stored](const OpAmpData& row) { return row.name == stored; });
    return Save(std::move(library));
}

}  // namespace

int RunOpAmps(const Args& args) {
    OpAmpsOptions o;
    if (const std::string error = ParseArguments(OpAmpsGrammar(o), args); !error.empty()) {
        return UsageError(kCommand, error);
    }
    if (o.help) {
        std::fputs(Help().c_str(), stdout);
        return 0;
    }
    if (o.add && o.remove) {
        return UsageError(kCommand, "give --add or --remove, not both");
    }
    if ((o.add || o.remove) && o.csv) {
        return UsageError(kCommand, "--csv only lists the models");
    }
    if (o.figuresGiven && !o.add) {
        return UsageError(kCommand, "the figures of a model need --add NAME");
    }
    if (o.add) {
        return Add(o);
    }
    if (o.remove) {
        return Remove(*o.remove);
    }
    const COpv list = OpAmpListOf(InstalledOpAmps());
    const std::string text = o.csv ? OpAmpListCsv(list) : OpAmpListTable(list, kTableWidth);
    std::fputs(text.c_str(), stdout);
    return 0;
}

}  // namespace vx::cli
