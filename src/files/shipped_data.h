#pragma once

#include <string>

// Where the data shipped with the program lies: the op-amp library for Spice, the example
// specifications and the README, which the help shows. An installed program finds them in its
// installed tree, a program run from its build folder in the source tree.
namespace vx {

// The shipped file or folder `name`, looked up beside the executable, in the installed data
// folder (../share/veltranix beside the executable's folder, then the configured install
// prefix), and finally at `sourcePath` in the source tree the program was built from (none for
// an empty one: a file the build makes lies beside the programs); empty when it is nowhere.
std::string FindShippedData(const std::string& name, const std::string& sourcePath);

// The folder of the example specifications; empty when it is nowhere.
std::string ExamplesFolder();

}  // namespace vx
