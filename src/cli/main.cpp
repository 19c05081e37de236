#include <cstdio>
#include <string>
#include <utility>

#include "cli/cli_output.h"
#include "cli/commands.h"
#include "files/opamp_files.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const vx::cli::Args&);
    const char* summary;
};

constexpr Command kCommands[] = {
    {"poles", vx::cli::RunPoles, "print the normalised prototype of a characteristic"},
    {"new", vx::cli::RunNew, "check a filter specification and write it to a file"},
    {"design", vx::cli::RunDesign, "design the filter of a specification file"},
    {"opamps", vx::cli::RunOpAmps, "list the op-amp models, add or remove own ones"},
    {"plan", vx::cli::RunPlan, "the lowest order of each characteristic for a tolerance scheme"},
};

// The catalogue and the own models for every command; what could not be read is said, and the
// command works with the rest.
void InstallLibrary() {
    vx::OpAmpLibrary library = vx::LoadOpAmpLibrary(vx::CatalogueOpAmpPath(), vx::OwnOpAmpPath());
    for (const vx::UserMessage& problem : library.problems) {
        std::string line;
        for (const char c : problem.text) {
            if (c != '\n') {
                line += c;
            } else if (!line.empty() && line.back() != ' ') {
                line += ' ';
            }
        }
        std::fprintf(stderr, "veltranix-cli: %s\n", line.c_str());
    }
    vx::InstallOpAmps(std::move(library));
}

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: veltranix-cli COMMAND [options]\n\ncommands:\n");
    for (const Command& c : kCommands) {
        std::fprintf(out, "  %-8s %s\n", c.name, c.summary);
    }
    std::fprintf(out, "\n'veltranix-cli COMMAND --help' explains a command's options.\n");
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return 0;
    }
    const vx::cli::Args args(argv + 2, argv + argc);
    for (const Command& c : kCommands) {
        if (name == c.name) {
            InstallLibrary();
            return c.run(args);
        }
    }
    std::fprintf(stderr, "veltranix-cli: unknown command '%s'\n", name.c_str());
    PrintUsage(stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    return vx::cli::RunGuarded([&] { return Run(argc, argv); }, stderr);
}
