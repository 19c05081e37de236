#pragma once

#include <QString>
#include <map>
#include <optional>

#include "shell/menu_table.h"

class QAction;
class QKeySequence;
class QMainWindow;

namespace vx {

// Adds the tool bar of the core's tool bar commands to `window`, with the actions of the menus
// (so that a button and its entry share shortcut and icon); each gets its standard icon, its
// tool tip and a named button.
void AddMainToolBar(QMainWindow* window, const std::map<Command, QAction*>& actions);

// "Spezifikation laden (Strg+O)": the command's title and its shortcut, if any.
QString ToolTipOf(Command command, std::optional<Command> lastUsed, const QKeySequence& shortcut);

}  // namespace vx
