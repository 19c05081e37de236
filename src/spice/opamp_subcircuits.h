#pragma once

#include <string>

#include "model/opv.h"

// The op-amp models as Spice subcircuits: the shipped library, made from the built-in models and
// the catalogue when the program is built, and the library of the user's own models that a
// netlist naming one of them takes beside it.
namespace vx {

// The shipped library: every model but the ideal and the user's own.
std::string ShippedOpAmpLibrary(const COpv& opv);
// The library of one own model.
std::string OwnOpAmpLibrary(const COpv& opv, int index);

}  // namespace vx
