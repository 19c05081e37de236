#include "shell/menu_table.h"

#include <array>
#include <stdexcept>
#include <utility>

#include "analysis/noise/noise_text.h"
#include "analysis/tolerance_messages.h"
#include "plot/diagram_messages.h"
#include "spice/parts_list_messages.h"

namespace vx {

namespace {

MenuItem Entry(const char* text, Command command, const char* shortcut = "") {
    return {MenuItem::Kind::COMMAND, text, command, {}, shortcut};
}

MenuItem Separator() {
    return {MenuItem::Kind::SEPARATOR, "", Command::ABOUT, {}, ""};
}

MenuItem Submenu(const char* text, std::vector<MenuItem> items) {
    return {MenuItem::Kind::SUBMENU, text, Command::ABOUT, std::move(items), ""};
}

MenuItem RecentFiles() {
    return {MenuItem::Kind::RECENT_FILES, "", Command::ABOUT, {}, ""};
}

std::vector<Menu> MakeMenus() {
    return {
        {"&Datei",
         {Submenu("&Neues Filter",
                  {Entry("&Tiefpass mit Mehrfachgegenkopplung...", Command::NEW_LP_MFB),
                   Entry("Sallen-Key-T&iefpass...", Command::NEW_LP_SK),
                   Entry("Sallen-Key-Tiefpass &3. Ordnung mit 1 OPV...", Command::NEW_LP_SKX),
                   Entry("&Hochpass mit Mehrfachgegenkopplung...", Command::NEW_HP_MFB),
                   Entry("Sallen-Key-H&ochpass...", Command::NEW_HP_SK),
                   Entry("Sallen-&Key-Hochpass 3. Ordnung mit 1 OPV...", Command::NEW_HP_SKX),
                   Entry("&Bandpass mit Mehrfachgegenkopplung...", Command::NEW_BP_MFB),
                   Entry("Band&sperre mit Doppel-T-Glied...", Command::NEW_BR_TT), Separator(),
                   Entry("&Aus Toleranzschema...", Command::NEW_FROM_SCHEME)}),
          Entry("Spezifikation &laden...", Command::LOAD_SPECIFICATION, "Ctrl+O"),
          Entry("Spezifikation &speichern unter...", Command::SAVE_SPECIFICATION, "Ctrl+S"),
          Separator(), Entry("Grafik-Druck&einrichtung...", Command::GRAPH_PAGE_SETUP),
          Entry("Grafik-Seiten&ansicht", Command::GRAPH_PREVIEW),
          Entry("Grafik &drucken...", Command::GRAPH_PRINT, "Ctrl+P"), Separator(), RecentFiles(),
          Entry("&Beenden", Command::EXIT, "Ctrl+Q")}},
        {"&Bearbeiten",
         {Entry("&Spezifikation ändern...", Command::CHANGE_SPECIFICATION),
          Entry("&Kapazitäten ändern...", Command::CHANGE_CAPACITORS),
          Entry("&Operationsverstärker...", Command::OP_AMPS)}},
        {"&Ergebnis",
         {Entry("&Dimensionierung...", Command::RESULT_DIMENSIONING),
          Entry("Schalt&bild...", Command::RESULT_SCHEMATIC),
          Entry("&Filterparameter...", Command::RESULT_PARAMETERS),
          Entry("&Toleranzanalyse...", Command::RESULT_TOLERANCE),
          Entry("Ra&uschen und Aussteuerung...", Command::RESULT_NOISE), Separator(),
          Entry("&Speichern unter...", Command::RESULT_SAVE_HTML),
          Entry("Stück&liste exportieren...", Command::RESULT_SAVE_PARTS_LIST), Separator(),
          Entry("Druck&einrichtung...", Command::RESULT_PAGE_SETUP),
          Entry("Seiten&ansicht", Command::RESULT_PREVIEW),
          Entry("D&rucken...", Command::RESULT_PRINT, "Ctrl+Shift+P"), Separator(),
          Entry("&Optionen...", Command::RESULT_OPTIONS)}},
        {"&Spice",
         {Entry("&Amplitudengang in dB", Command::SPICE_AMPLITUDE_DB),
          Entry("Amplitudengang &linear", Command::SPICE_AMPLITUDE_LINEAR),
          Entry("&Phasengang", Command::SPICE_PHASE),
          Entry("&Gruppenlaufzeit", Command::SPICE_GROUP_DELAY),
          Entry("&Sprungantwort", Command::SPICE_STEP_RESPONSE),
          Entry("A&mplitude+Phase+Laufzeit", Command::SPICE_ALL), Separator(),
          Entry("&Konfiguration...", Command::SPICE_CONFIGURATION)}},
        {"&Grafik",
         {Entry("&Amplitudenmarken...", Command::GRAPH_AMPLITUDE_MARKS),
          Entry("&Frequenzbereich...", Command::GRAPH_RANGE),
          Entry("Frequenz&marken...", Command::GRAPH_FREQUENCY_MARKS),
          Entry("&Kurvenauswahl...", Command::GRAPH_CURVES), Separator(),
          Entry(kViewNames[0].menu, Command::GRAPH_VIEW_MAGNITUDE, "Ctrl+1"),
          Entry(kViewNames[1].menu, Command::GRAPH_VIEW_PHASE, "Ctrl+2"),
          Entry(kViewNames[2].menu, Command::GRAPH_VIEW_STEP, "Ctrl+3"),
          Entry(kViewNames[3].menu, Command::GRAPH_VIEW_IMPULSE, "Ctrl+4"),
          Entry(kViewNames[4].menu, Command::GRAPH_VIEW_NOISE, "Ctrl+5"), Separator(),
          Entry(kWholeRangeText, Command::GRAPH_WHOLE_RANGE, "Ctrl+0")}},
        {"&Hilfe",
         {Entry("&Kurzanleitung", Command::HELP, "F1"),
          Entry("Auf &Update prüfen", Command::CHECK_UPDATE),
          Entry("Über &Veltranix", Command::ABOUT)}},
    };
}

struct NewFilter {
    Command command;
    FilterType type;
    StructureKind structure;
};

constexpr std::array<NewFilter, 8> kNewFilters = {{
    {Command::NEW_LP_MFB, FilterType::LOWPASS, StructureKind::MFB},
    {Command::NEW_LP_SK, FilterType::LOWPASS, StructureKind::SALLEN_KEY},
    {Command::NEW_LP_SKX, FilterType::LOWPASS, StructureKind::SALLEN_KEY_X},
    {Command::NEW_HP_MFB, FilterType::HIGHPASS, StructureKind::MFB},
    {Command::NEW_HP_SK, FilterType::HIGHPASS, StructureKind::SALLEN_KEY},
    {Command::NEW_HP_SKX, FilterType::HIGHPASS, StructureKind::SALLEN_KEY_X},
    {Command::NEW_BP_MFB, FilterType::BANDPASS, StructureKind::MFB},
    {Command::NEW_BR_TT, FilterType::BANDREJECT, StructureKind::TWIN_T},
}};

// Commands that need a design, with the caption of their no-design message. The two Bearbeiten
// commands also work on a cancelled design, whose specification stays in the record.
struct Requirement {
    Command command;
    const char* caption;
    bool cancelledWillDo;
};

constexpr std::array<Requirement, 20> kRequirements = {{
    {Command::SAVE_SPECIFICATION, "Spezifikation speichern", false},
    {Command::GRAPH_PREVIEW, "Datei - Grafik-Seitenansicht", false},
    {Command::GRAPH_PRINT, "Datei - Grafik drucken", false},
    {Command::CHANGE_SPECIFICATION, "Spezifikation ändern", true},
    {Command::CHANGE_CAPACITORS, "Kapazitäten ändern", true},
    {Command::RESULT_DIMENSIONING, "Ergebnis - Dimensionierung", false},
    {Command::RESULT_SCHEMATIC, "Ergebnis - Schaltbild", false},
    {Command::RESULT_PARAMETERS, "Ergebnis - Filterparameter", false},
    {Command::RESULT_TOLERANCE, tolerance_text::kResultTitle, false},
    {Command::RESULT_NOISE, kNoiseResultTitle, false},
    {Command::RESULT_SAVE_HTML, "Ergebnis speichern", false},
    {Command::RESULT_SAVE_PARTS_LIST, kPartsListTitle, false},
    {Command::RESULT_PREVIEW, "Ergebnis - Seitenansicht", false},
    {Command::RESULT_PRINT, "Ergebnis - Drucken", false},
    {Command::SPICE_AMPLITUDE_DB, "Spice - Amplitudengang", false},
    {Command::SPICE_AMPLITUDE_LINEAR, "Spice - Amplitudengang", false},
    {Command::SPICE_PHASE, "Spice - Phasengang", false},
    {Command::SPICE_GROUP_DELAY, "Spice - Gruppenlaufzeit", false},
    {Command::SPICE_STEP_RESPONSE, "Spice - Sprungantwort", false},
    {Command::SPICE_ALL, "Spice - Amplitude+Phase+Laufzeit", false},
}};

}  // namespace

const std::vector<Menu>& MainMenus() {
    static const std::vector<Menu> menus = MakeMenus();
    return menus;
}

bool NewFilterTarget(Command command, FilterType& type, StructureKind& structure) {
    for (const NewFilter& n : kNewFilters) {
        if (n.command == command) {
            type = n.type;
            structure = n.structure;
            return true;
        }
    }
    return false;
}

bool IsNewFilterCommand(Command command) {
    FilterType type{};
    StructureKind structure{};
    return command == Command::NEW_FROM_SCHEME || NewFilterTarget(command, type, structure);
}

Command NewFilterToRepeat(std::optional<Command> lastUsed) {
    if (lastUsed && IsNewFilterCommand(*lastUsed)) {
        return *lastUsed;
    }
    return MainMenus().front().items.front().items.front().command;
}

namespace {

constexpr std::array<std::pair<Command, PlotViewKind>, 5> kViewCommands = {{
    {Command::GRAPH_VIEW_MAGNITUDE, PlotViewKind::MAGNITUDE},
    {Command::GRAPH_VIEW_PHASE, PlotViewKind::PHASE},
    {Command::GRAPH_VIEW_STEP, PlotViewKind::STEP},
    {Command::GRAPH_VIEW_IMPULSE, PlotViewKind::IMPULSE},
    {Command::GRAPH_VIEW_NOISE, PlotViewKind::NOISE},
}};

}  // namespace

std::optional<PlotViewKind> ViewOfCommand(Command command) {
    for (const auto& [c, view] : kViewCommands) {
        if (c == command) {
            return view;
        }
    }
    return std::nullopt;
}

Command CommandOfView(PlotViewKind view) {
    for (const auto& [command, v] : kViewCommands) {
        if (v == view) {
            return command;
        }
    }
    return Command::GRAPH_VIEW_MAGNITUDE;
}

const std::vector<Command>& ToolBarCommands() {
    static const std::vector<Command> commands = {
        Command::NEW_FILTER_AGAIN, Command::LOAD_SPECIFICATION,  Command::SAVE_SPECIFICATION,
        Command::GRAPH_PRINT,      Command::RESULT_DIMENSIONING, Command::SPICE_AMPLITUDE_DB,
    };
    return commands;
}

namespace {

std::string Plain(std::string text) {
    std::erase(text, '&');
    if (text.ends_with("...")) {
        text.resize(text.size() - 3);
    }
    return text;
}

// The entry of `command` in `items` with the names of the menus above it.
bool FindEntry(const std::vector<MenuItem>& items, Command command,
               std::vector<std::string>& path) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::COMMAND && item.command == command) {
            path.push_back(Plain(item.text));
            return true;
        }
        if (item.kind == MenuItem::Kind::SUBMENU) {
            path.push_back(Plain(item.text));
            if (FindEntry(item.items, command, path)) {
                return true;
            }
            path.pop_back();
        }
    }
    return false;
}

}  // namespace

std::string CommandTitle(Command command, std::optional<Command> lastUsed) {
    if (command == Command::NEW_FILTER_AGAIN) {
        command = NewFilterToRepeat(lastUsed);
    }
    for (const Menu& menu : MainMenus()) {
        std::vector<std::string> path;
        if (FindEntry(menu.items, command, path)) {
            // "Datei" goes without saying, as the tool bar's file commands are everywhere.
            if (&menu != &MainMenus().front()) {
                path.insert(path.begin(), Plain(menu.title));
            }
            std::string title = path.front();
            for (size_t k = 1; k < path.size(); ++k) {
                title += ": " + path[k];
            }
            return title;
        }
    }
    throw std::invalid_argument("command without a menu entry");
}

CommandGate GateCommand(Command command, DesignState state) {
    if (state == DesignState::SPECIFIED) {
        return {CommandGate::Verdict::IGNORE, {}};
    }
    for (const Requirement& r : kRequirements) {
        if (r.command != command) {
            continue;
        }
        const bool met = state == DesignState::DESIGNED ||
                         (r.cancelledWillDo && state == DesignState::CANCELLED);
        if (!met) {
            return {CommandGate::Verdict::NO_DESIGN, r.caption};
        }
    }
    return {CommandGate::Verdict::RUN, {}};
}

}  // namespace vx
