#include "cli/option_table.h"

namespace vx::cli {

namespace {

struct Found {
    const Option* option = nullptr;
    const OptionGroup* group = nullptr;
};

Found Find(const CommandGrammar& grammar, const std::string& name) {
    for (const OptionGroup& group : grammar.groups) {
        for (const Option& option : group.options) {
            if (option.name == name) {
                return {&option, &group};
            }
        }
    }
    return {};
}

bool IsList(const std::string& argument) {
    return argument.rfind("--", 0) != 0 && argument.find('=') != std::string::npos;
}

}  // namespace

std::string ParseArguments(const CommandGrammar& grammar, const Args& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& argument = args[i];
        const Found found = Find(grammar, argument);
        if (found.option == nullptr) {
            if (!grammar.operand || argument.rfind(grammar.optionPrefix, 0) == 0) {
                return "unknown option '" + argument + "' (see --help)";
            }
            if (std::string error = grammar.operand(argument); !error.empty()) {
                return error;
            }
            continue;
        }
        std::string value;
        switch (found.option->value) {
            case OptionValue::REQUIRED:
                if (i + 1 >= args.size()) {
                    return found.group->missingValuePrefix + argument + " needs a value";
                }
                value = args[++i];
                break;
            case OptionValue::LIST_IF_GIVEN:
                if (i + 1 < args.size() && IsList(args[i + 1])) {
                    value = args[++i];
                }
                break;
            case OptionValue::NONE:
            case OptionValue::ENDS_LINE:
                break;
        }
        if (std::string error = found.option->apply(value); !error.empty()) {
            return error;
        }
        if (found.option->value == OptionValue::ENDS_LINE) {
            break;
        }
    }
    return {};
}

std::string OptionsHelp(const CommandGrammar& grammar) {
    std::string help;
    for (const OptionGroup& group : grammar.groups) {
        for (const Option& option : group.options) {
            help += option.help;
        }
    }
    return help;
}

Option FlagOption(std::string name, std::string help, bool& target) {
    return {std::move(name), OptionValue::NONE, std::move(help), [&target](const std::string&) {
                target = true;
                return std::string();
            }};
}

Option TextOption(std::string name, std::string help, std::string& target) {
    return {std::move(name), OptionValue::REQUIRED, std::move(help),
            [&target](const std::string& value) {
                target = value;
                return std::string();
            }};
}

}  // namespace vx::cli
