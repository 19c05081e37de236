#include "shell/menu_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "model/circuit_pairs.h"
#include "spice/spice_messages.h"

namespace vx {
namespace {

void CollectCommands(const std::vector<MenuItem>& items, std::multiset<Command>& commands,
                     std::set<char>& keys, std::set<std::string>& shortcuts,
                     const std::string& menu) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::SEPARATOR || item.kind == MenuItem::Kind::RECENT_FILES) {
            continue;
        }
        // Two entries with one shortcut: Qt runs neither.
        EXPECT_TRUE(item.shortcut.empty() || shortcuts.insert(item.shortcut).second) << item.text;
        // Exactly one access key, on a letter or digit, unique within its menu.
        const size_t amp = item.text.find('&');
        ASSERT_NE(amp, std::string::npos) << item.text;
        ASSERT_EQ(item.text.find('&', amp + 1), std::string::npos) << item.text;
        ASSERT_LT(amp + 1, item.text.size()) << item.text;
        const auto key =
            static_cast<char>(std::tolower(static_cast<unsigned char>(item.text[amp + 1])));
        EXPECT_TRUE(keys.insert(key).second) << menu << ": " << item.text;
        if (item.kind == MenuItem::Kind::SUBMENU) {
            std::set<char> subKeys;
            CollectCommands(item.items, commands, subKeys, shortcuts, item.text);
        } else {
            commands.insert(item.command);
        }
    }
}

TEST(MenuTable, SixMenusOfferEveryCommandOnceWithItsAccessKey) {
    const std::vector<Menu>& menus = MainMenus();
    ASSERT_EQ(menus.size(), 6u);
    const char* titles[] = {"&Datei", "&Bearbeiten", "&Ergebnis", "&Spice", "&Grafik", "&Hilfe"};
    std::multiset<Command> commands;
    std::set<std::string> shortcuts = {kNewFilterAgainShortcut, kCopyShortcut};
    for (size_t m = 0; m < menus.size(); ++m) {
        EXPECT_EQ(menus[m].title, titles[m]);
        std::set<char> keys;
        CollectCommands(menus[m].items, commands, keys, shortcuts, menus[m].title);
    }
    EXPECT_EQ(shortcuts.size(), 14u);
    for (int c = 0; c <= static_cast<int>(Command::ABOUT); ++c) {
        EXPECT_EQ(commands.count(static_cast<Command>(c)), 1u) << "command " << c;
    }
}

// Messages that send the user to a menu entry must spell it as the menu does.
TEST(MenuTable, MessagesNameTheConfigurationEntryAsTheMenuSpellsIt) {
    auto plain = [](std::string text) {
        std::erase(text, '&');
        return text;
    };
    std::string path;
    for (const Menu& menu : MainMenus()) {
        for (const MenuItem& item : menu.items) {
            if (item.kind == MenuItem::Kind::COMMAND &&
                item.command == Command::SPICE_CONFIGURATION) {
                path = '"' + plain(menu.title);
                path += ", " + plain(item.text) + '"';
            }
        }
    }
    EXPECT_EQ(path, spice_text::kConfigurationEntry);
}

TEST(MenuTable, EveryNewFilterEntryHasACircuit) {
    std::set<std::pair<FilterType, StructureKind>> pairs;
    for (const MenuItem& item : MainMenus()[0].items[0].items) {
        if (item.kind == MenuItem::Kind::SEPARATOR) {
            continue;
        }
        EXPECT_TRUE(IsNewFilterCommand(item.command)) << item.text;
        FilterType type{};
        StructureKind structure{};
        // The plan's type and structure are chosen in its dialog.
        if (item.command == Command::NEW_FROM_SCHEME) {
            continue;
        }
        ASSERT_TRUE(NewFilterTarget(item.command, type, structure)) << item.text;
        EXPECT_TRUE(HasCircuit(type, structure)) << item.text;
        pairs.insert({type, structure});
    }
    EXPECT_EQ(pairs.size(), 8u);
    FilterType type{};
    StructureKind structure{};
    EXPECT_FALSE(NewFilterTarget(Command::CHANGE_SPECIFICATION, type, structure));
    EXPECT_FALSE(IsNewFilterCommand(Command::CHANGE_SPECIFICATION));
}

// The tool bar's new filter repeats the entry used last, the menu's first before any; its name
// says which.
TEST(MenuTable, ToolBarCommandsAreNamedAsTheirEntries) {
    struct Case {
        Command command;
        std::optional<Command> lastUsed;
        std::string title;
    };
    const Case cases[] = {
        {Command::NEW_FILTER_AGAIN, std::nullopt,
         "Neues Filter: Tiefpass mit Mehrfachgegenkopplung"},
        {Command::NEW_FILTER_AGAIN, Command::NEW_HP_SKX,
         "Neues Filter: Sallen-Key-Hochpass 3. Ordnung mit 1 OPV"},
        {Command::NEW_FILTER_AGAIN, Command::NEW_FROM_SCHEME, "Neues Filter: Aus Toleranzschema"},
        {Command::LOAD_SPECIFICATION, std::nullopt, "Spezifikation laden"},
        {Command::SPICE_AMPLITUDE_DB, std::nullopt, "Spice: Amplitudengang in dB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandTitle(c.command, c.lastUsed), c.title);
    }
    for (const Command command : ToolBarCommands()) {
        EXPECT_NO_THROW(CommandTitle(command));
    }
}

TEST(MenuTable, CommandsWaitForTheDesignTheyNeed) {
    using V = CommandGate::Verdict;
    struct Case {
        Command command;
        DesignState state;
        V verdict;
        std::string caption;
    };
    const Case cases[] = {
        // A running design ignores everything.
        {Command::ABOUT, DesignState::SPECIFIED, V::IGNORE, ""},
        {Command::NEW_LP_SK, DesignState::SPECIFIED, V::IGNORE, ""},
        {Command::NEW_LP_SK, DesignState::NONE, V::RUN, ""},
        {Command::LOAD_SPECIFICATION, DesignState::CANCELLED, V::RUN, ""},
        {Command::SAVE_SPECIFICATION, DesignState::CANCELLED, V::NO_DESIGN,
         "Spezifikation speichern"},
        {Command::SAVE_SPECIFICATION, DesignState::DESIGNED, V::RUN, ""},
        {Command::CHANGE_SPECIFICATION, DesignState::NONE, V::NO_DESIGN, "Spezifikation ändern"},
        {Command::CHANGE_SPECIFICATION, DesignState::CANCELLED, V::RUN, ""},
        {Command::CHANGE_CAPACITORS, DesignState::NONE, V::NO_DESIGN, "Kapazitäten ändern"},
        {Command::CHANGE_CAPACITORS, DesignState::CANCELLED, V::RUN, ""},
        {Command::OP_AMPS, DesignState::NONE, V::RUN, ""},
        {Command::RESULT_DIMENSIONING, DesignState::CANCELLED, V::NO_DESIGN,
         "Ergebnis - Dimensionierung"},
        {Command::RESULT_SAVE_HTML, DesignState::NONE, V::NO_DESIGN, "Ergebnis speichern"},
        {Command::RESULT_SAVE_PARTS_LIST, DesignState::CANCELLED, V::NO_DESIGN,
         "Stückliste exportieren"},
        {Command::RESULT_TOLERANCE, DesignState::CANCELLED, V::NO_DESIGN,
         "Ergebnis - Toleranzanalyse"},
        {Command::RESULT_NOISE, DesignState::NONE, V::NO_DESIGN,
         "Ergebnis - Rauschen und Aussteuerung"},
        {Command::RESULT_NOISE, DesignState::DESIGNED, V::RUN, ""},
        {Command::GRAPH_PREVIEW, DesignState::NONE, V::NO_DESIGN, "Datei - Grafik-Seitenansicht"},
        {Command::SPICE_AMPLITUDE_LINEAR, DesignState::NONE, V::NO_DESIGN,
         "Spice - Amplitudengang"},
        {Command::SPICE_ALL, DesignState::NONE, V::NO_DESIGN, "Spice - Amplitude+Phase+Laufzeit"},
        {Command::SPICE_CONFIGURATION, DesignState::NONE, V::RUN, ""},
        {Command::GRAPH_RANGE, DesignState::NONE, V::RUN, ""},
    };
    for (const Case& c : cases) {
        const CommandGate gate = GateCommand(c.command, c.state);
        EXPECT_EQ(gate.verdict, c.verdict) << static_cast<int>(c.command);
        EXPECT_EQ(gate.caption, c.caption) << static_cast<int>(c.command);
    }
}

}  // namespace
}  // namespace vx
