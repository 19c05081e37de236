#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/filter.h"
#include "plot/view_curves.h"

// The menus of the main window, their entries in order with access keys ("&") and shortcuts,
// the tool bar, and which design state each command needs. The window builds its menus and its
// tool bar from these tables and asks GateCommand before it runs a command.
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
    NEW_FROM_SCHEME,
    LOAD_SPECIFICATION,
    SAVE_SPECIFICATION,
    GRAPH_PAGE_SETUP,
    GRAPH_PREVIEW,
    GRAPH_PRINT,
    EXIT,
    CHANGE_SPECIFICATION,
    CHANGE_CAPACITORS,
    OP_AMPS,
    RESULT_DIMENSIONING,
    RESULT_SCHEMATIC,
    RESULT_PARAMETERS,
    RESULT_TOLERANCE,
    RESULT_NOISE,
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
    GRAPH_VIEW_MAGNITUDE,
    GRAPH_VIEW_PHASE,
    GRAPH_VIEW_STEP,
    GRAPH_VIEW_IMPULSE,
    GRAPH_VIEW_NOISE,
    GRAPH_WHOLE_RANGE,
    HELP,
    CHECK_UPDATE,
    ABOUT,
    // Not in the menus: the "Neues Filter" entry used last (the tool bar's and Ctrl+N's).
    NEW_FILTER_AGAIN,
};

// One line of a menu: a command, a separator, a submenu with entries of its own, or the place
// of the recently used files (each an entry, a separator after the last; nothing while there
// are none).
struct MenuItem {
    enum class Kind { COMMAND, SEPARATOR, SUBMENU, RECENT_FILES };
    Kind kind = Kind::COMMAND;
    std::string text;  // with "&" before the access key
    Command command = Command::ABOUT;
    std::vector<MenuItem> items;  // submenu entries
    std::string shortcut;         // as Qt's portable key text ("Ctrl+Shift+P"); empty for none
};

struct Menu {
    std::string title;
    std::vector<MenuItem> items;
};

// "&Datei", "&Bearbeiten", "&Ergebnis", "&Spice", "&Grafik", "&Hilfe" with every entry.
const std::vector<Menu>& MainMenus();

// The type and structure a "Neues Filter" command specifies; false for other commands.
bool NewFilterTarget(Command command, FilterType& type, StructureKind& structure);
// The entries of "Neues Filter": those with a target, and the plan from a tolerance scheme.
bool IsNewFilterCommand(Command command);

// The shortcut of NEW_FILTER_AGAIN, shown on the entry it repeats.
inline constexpr const char* kNewFilterAgainShortcut = "Ctrl+N";
// Copies a result window's content.
inline constexpr const char* kCopyShortcut = "Ctrl+C";
// The "Neues Filter" entry NEW_FILTER_AGAIN runs: the one used last, before any the menu's first.
Command NewFilterToRepeat(std::optional<Command> lastUsed);

// The diagram view a "Grafik" command shows; nothing for other commands.
std::optional<PlotViewKind> ViewOfCommand(Command command);
Command CommandOfView(PlotViewKind view);

// The tool bar's commands, in order.
const std::vector<Command>& ToolBarCommands();
// A command's name outside its menu (a tool tip): the entry without access key and "...", after
// its menu's name but for "Datei" ("Ergebnis: Dimensionierung"); for NEW_FILTER_AGAIN, "Neues
// Filter: " and the entry it repeats after `lastUsed`.
std::string CommandTitle(Command command, std::optional<Command> lastUsed = std::nullopt);

// What a command does in a design state: run, nothing (a design is running), or the no-design
// message under the command's caption.
struct CommandGate {
    enum class Verdict { RUN, IGNORE, NO_DESIGN };
    Verdict verdict = Verdict::RUN;
    std::string caption;  // for NO_DESIGN
};
CommandGate GateCommand(Command command, DesignState state);

}  // namespace vx
