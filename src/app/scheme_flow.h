#pragma once

#include "analysis/plan/scheme_input.h"

class QWidget;

namespace vx {

class CFlows;

// "Datei, Neues Filter, Aus Toleranzschema...": the plan dialog, then the input dialog of the
// chosen structure filled with the chosen row. The plan dialog's entries stay for the session.
class CSchemeFlow {
  public:
    CSchemeFlow(QWidget* window, CFlows& flows) : window_(window), flows_(flows) {}

    // Returns whether a design ran.
    bool Run();

  private:
    QWidget* window_;
    CFlows& flows_;
    SchemeEntries entries_ = DefaultSchemeEntries();
};

}  // namespace vx
