#include "cli/option_table.h"

#include <gtest/gtest.h>

namespace vx::cli {
namespace {

// A command with every kind of option, recording what it was given.
struct Seen {
    std::string name;
    std::string list;
    std::vector<std::string> operands;
    bool flag = false;
    bool help = false;
};

CommandGrammar Grammar(Seen& seen, bool operands) {
    return {{{"option ",
              {TextOption("--name", "  --name N\n", seen.name),
               FlagOption("--flag", "  --flag\n", seen.flag),
               {"--help", OptionValue::ENDS_LINE, "",
                [&seen](const std::string&) {
                    seen.help = true;
                    return std::string();
                }}}},
             {"",
              {{"--list", OptionValue::LIST_IF_GIVEN, "  --list [K=V]\n",
                [&seen](const std::string& value) {
                    seen.list = value;
                    return value == "K=bad" ? std::string("--list: 'K=bad'") : std::string();
                }},
               {"--size", OptionValue::REQUIRED, "",
                [](const std::string&) { return std::string(); }}}}},
            "--",
            operands ? OptionAction([&seen](const std::string& operand) {
                seen.operands.push_back(operand);
                return std::string();
            })
                     : nullptr};
}

TEST(OptionTable, RefusesWithTheMessageOfTheFirstBadArgument) {
    struct Case {
        Args args;
        bool operands;
        const char* error;
    };
    const Case cases[] = {
        {{"--name"}, true, "option --name needs a value"},
        {{"--size"}, true, "--size needs a value"},
        {{"--colour", "--name"}, true, "unknown option '--colour' (see --help)"},
        {{"file"}, false, "unknown option 'file' (see --help)"},
        {{"-x"}, false, "unknown option '-x' (see --help)"},
        {{"--list", "K=bad", "--colour"}, true, "--list: 'K=bad'"},
        {{"--name", "--flag", "-x", "--list", "K=1", "--flag"}, true, ""},
        {{"--help", "--colour"}, true, ""},
    };
    for (const Case& c : cases) {
        Seen seen;
        EXPECT_EQ(ParseArguments(Grammar(seen, c.operands), c.args), c.error) << c.args[0];
    }
}

TEST(OptionTable, TakesValuesListsAndOperandsInOrder) {
    Seen seen;
    const Args args = {"--name", "--flag", "-x", "--list", "K=1", "--list", "--flag", "f"};
    ASSERT_EQ(ParseArguments(Grammar(seen, true), args), "");
    EXPECT_EQ(seen.name, "--flag");  // a required value is the next argument, whatever it is
    EXPECT_TRUE(seen.flag);
    EXPECT_EQ(seen.list, "");  // the last --list was followed by no list
    EXPECT_EQ(seen.operands, (std::vector<std::string>{"-x", "f"}));

    Seen ended;
    ASSERT_EQ(ParseArguments(Grammar(ended, true), {"--help", "--flag"}), "");
    EXPECT_TRUE(ended.help);
    EXPECT_FALSE(ended.flag);
}

TEST(OptionTable, HelpIsTheRowsLinesInOrder) {
    Seen seen;
    EXPECT_EQ(OptionsHelp(Grammar(seen, true)), "  --name N\n  --flag\n  --list [K=V]\n");
}

}  // namespace
}  // namespace vx::cli
