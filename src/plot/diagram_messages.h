#pragma once

#include <array>
#include <string>

#include "model/user_message.h"
#include "plot/view_curves.h"

// The diagram's texts for the user: its views, its context menu, what its exports tell.
namespace vx {

// A view's entry in the "Grafik" menu and its short name on the tool bar.
struct ViewName {
    PlotViewKind view;
    const char* menu;  // with "&" before the access key
    const char* button;
};
inline constexpr std::array<ViewName, 5> kViewNames = {{
    {PlotViewKind::MAGNITUDE, "&Betrag und Gruppenlaufzeit", "Betrag"},
    {PlotViewKind::PHASE, "&Phase", "Phase"},
    {PlotViewKind::STEP, "&Sprungantwort", "Sprung"},
    {PlotViewKind::IMPULSE, "&Impulsantwort", "Impuls"},
    {PlotViewKind::NOISE, "&Rauschen und OPV-Ausgänge", "Rauschen"},
}};

// The context menu of the diagram.
inline constexpr const char* kCopyImageText = "Grafik als &Bild kopieren";
inline constexpr const char* kCopyValuesText = "&Werte kopieren (tabulatorgetrennt)";
inline constexpr const char* kSaveSvgText = "Als &SVG speichern...";
inline constexpr const char* kSavePngText = "Als &PNG speichern...";
inline constexpr const char* kSavePdfText = "Als P&DF speichern...";
inline constexpr const char* kWholeRangeText = "&Gesamter Bereich";

// The file formats the diagram is saved in.
enum class DiagramFormat { SVG, PNG, PDF };
struct DiagramFileType {
    const char* suffix;
    const char* filter;  // of the save dialog
};
DiagramFileType FileTypeOf(DiagramFormat format);
inline constexpr const char* kSaveDiagramTitle = "Grafik speichern";

// Status lines of the exports.
inline constexpr const char* kImageCopiedText = "Die Grafik wurde als Bild kopiert.";
// "1501 Werte von 3 Kurven kopiert."
std::string ValuesCopiedText(int points, int curves);
// "Grafik gespeichert: /pfad/datei.svg"
std::string DiagramSavedText(const std::string& path);
UserMessage DiagramNotSavedMessage(const std::string& path);

// The zoom and the cursor, for the status bar's tip while the mouse rests on the diagram.
inline constexpr const char* kZoomHintText =
    "Mausrad oder Rechteck ziehen: Zoom, mittlere Taste: verschieben, Doppelklick: gesamter "
    "Bereich";

}  // namespace vx
