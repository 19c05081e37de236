#pragma once

#include <string>
#include <vector>

// Sub-commands of veltranix-cli. Each takes the arguments after its name and returns the exit
// status: 0 success, 1 a check failed, 2 bad usage or bad input (3, an internal error, comes
// from the guard around every command, see RunGuarded).
namespace vx::cli {

using Args = std::vector<std::string>;

int RunPoles(const Args& args);
int RunNew(const Args& args);
int RunDesign(const Args& args);
int RunOpAmps(const Args& args);
int RunPlan(const Args& args);

}  // namespace vx::cli
