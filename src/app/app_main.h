#pragma once

// The program: `veltranix [FILE.vxs] [--screenshot OUT.png]`. A named file is loaded and
// designed before the window is first painted; one that cannot be opened ends the program
// with status 1 and a line on standard error. With --screenshot the window is saved as a PNG
// and the program ends.
namespace vx {

int RunVeltranix(int argc, char** argv);

}  // namespace vx
