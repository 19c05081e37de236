#pragma once

#include <string>

namespace vx {

class CFilter;

// Appends the component lines of every stage of the design ("* Filterstage i *" and its parts).
// `model` names the op-amp subcircuit; empty for the ideal op-amp, which becomes an E source.
void AppendStageLines(const CFilter& filter, const std::string& model, std::string& out);

}  // namespace vx
