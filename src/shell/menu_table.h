#pragma once

#include <string>
#include <vector>

#include "model/filter.h"

// The menus of the main window, their entries in order with access keys ("&"), and which
// design state each command needs. The window builds its menus from this table and asks
// GateCommand before it runs a command.
namespace vx {

enum class Command {
    NEW_LP_MFB,
    NEW_LP_SK,
    NEW_LP_SKX,
    NEW_HP_MFB,
    NEW_HP_SK,
    NEW_HP_SKX,
    NEW_BP_MFB,
    NEW_BR_TT,
    LOAD_SPECIFICATION,
    SAVE_SPECIFICATION,
    GRAPH_PAGE_SETUP,
    GRAPH_PREVIEW,
    GRAPH_PRINT,
    EXIT,
    CHANGE_SPECIFICATION,
    CHANGE_CAPACITORS,
    RESULT_DIMENSIONING,
    RESULT_SCHEMATIC,
    RESULT_PARAMETERS,
    RESULT_TOLERANCE,
    RESULT_SAVE_HTML,
    RESULT_SAVE_PARTS_LIST,
    RESULT_PAGE_SETUP,
    RESULT_PREVIEW,
    RESULT_PRINT,
    RESULT_OPTIONS,
    SPICE_AMPLITUDE_DB,
    SPICE_AMPLITUDE_LINEAR,
    SPICE_PHASE,
    SPICE_GROUP_DELAY,
    SPICE_STEP_RESPONSE,
    SPICE_ALL,
    SPICE_CONFIGURATION,
    GRAPH_AMPLITUDE_MARKS,
    GRAPH_RANGE,
    GRAPH_FREQUENCY_MARKS,
    GRAPH_CURVES,
    CHECK_UPDATE,
    ABOUT,
};

// One line of a menu: a command, a separator, or a submenu with entries of its own.
struct MenuItem {
    enum class Kind { COMMAND, SEPARATOR, SUBMENU };
    Kind kind = Kind::COMMAND;
    std::string text;  // with "&" before the access key
    Command command = Command::ABOUT;
    std::vector<MenuItem> items;  // submenu entries
};

struct Menu {
    std::string title;
    std::vector<MenuItem> items;
};

// "&Datei", "&Bearbeiten", "&Ergebnis", "&Spice", "&Grafik", "&Hilfe" with every entry.
const std::vector<Menu>& MainMenus();

// The type and structure a "Neues Filter" command specifies; false for other commands.
bool NewFilterTarget(Command command, FilterType& type, StructureKind& structure);

// Copies a result window's content.
inline constexpr const char* kCopyShortcut = "Ctrl+C";

// What a command does in a design state: run, nothing (a design is running), or the no-design
// message under the command's caption.
struct CommandGate {
    enum class Verdict { RUN, IGNORE, NO_DESIGN };
    Verdict verdict = Verdict::RUN;
    std::string caption;  // for NO_DESIGN
};
CommandGate GateCommand(Command command, DesignState state);

}  // namespace vx
