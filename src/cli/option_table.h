#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/commands.h"

// The grammar every sub-command reads its arguments with: a table of options, each with its
// help lines and what it does with its value.
namespace vx::cli {

enum class OptionValue {
    NONE,
    REQUIRED,       // the next argument, whatever it is
    LIST_IF_GIVEN,  // the next argument when it is a KEY=VALUE list: holds "=", no leading "--"
    ENDS_LINE,      // none, and the arguments after it are not read (--help)
};

// Takes an option's value (empty when it has none); returns the refusal's message, empty when
// the value is taken.
using OptionAction = std::function<std::string(const std::string& value)>;

struct Option {
    std::string name;
    OptionValue value;
    std::string help;  // its lines of the help text; empty when a neighbour's lines name it too
    OptionAction apply;
};

// Options whose missing value is reported alike: "option --x needs a value" with the prefix
// "option ", else "--x needs a value".
struct OptionGroup {
    std::string missingValuePrefix;
    std::vector<Option> options;
};

struct CommandGrammar {
    std::vector<OptionGroup> groups;
    // An argument outside the table is an unknown option when it starts with this prefix or the
    // command takes no operands; otherwise it goes to `operand`.
    std::string optionPrefix;
    OptionAction operand;
};

// Reads the arguments in order and returns the first refusal's message, empty when every
// argument was understood.
std::string ParseArguments(const CommandGrammar& grammar, const Args& args);

// The help lines of all options, in table order.
std::string OptionsHelp(const CommandGrammar& grammar);

// Rows for the common cases: a flag that sets `target`, a value stored as it is.
Option FlagOption(std::string name, std::string help, bool& target);
Option TextOption(std::string name, std::string help, std::string& target);

}  // namespace vx::cli
