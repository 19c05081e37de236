// veltranix-opamp-library CATALOGUE.csv OUT.lib: the shipped Spice library of the built-in
// models and the catalogue, made when the program is built.
#include <cstdio>
#include <fstream>

#include "files/opamp_files.h"
#include "spice/opamp_subcircuits.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: veltranix-opamp-library CATALOGUE.csv OUT.lib\n");
        return 2;
    }
    const vx::OpAmpLibrary library = vx::LoadOpAmpLibrary(argv[1], "");
    for (const vx::UserMessage& problem : library.problems) {
        std::fprintf(stderr, "%s\n", problem.text.c_str());
    }
    if (!library.problems.empty()) {
        return 1;
    }
    vx::COpv opv;
    opv.AddModels(library.catalogue, false);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << vx::ShippedOpAmpLibrary(opv);
    return out.flush() ? 0 : 1;
}
