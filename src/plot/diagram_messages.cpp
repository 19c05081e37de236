#include "plot/diagram_messages.h"

#include "model/number_format.h"

namespace vx {

DiagramFileType FileTypeOf(DiagramFormat format) {
    switch (format) {
        case DiagramFormat::SVG:
            return {"svg", "SVG-Grafik (*.svg)"};
        case DiagramFormat::PNG:
            return {"png", "PNG-Bild (*.png)"};
        case DiagramFormat::PDF:
            return {"pdf", "PDF-Dokument (*.pdf)"};
    }
    return {"", ""};
}

std::string ValuesCopiedText(int points, int curves) {
    return FormatInt(points) + " Werte von " + FormatInt(curves) +
           (curves == 1 ? " Kurve kopiert." : " Kurven kopiert.");
}

std::string DiagramSavedText(const std::string& path) {
    return "Grafik gespeichert: " + path;
}

UserMessage DiagramNotSavedMessage(const std::string& path) {
    return {kSaveDiagramTitle, "Die Datei \"" + path + "\" kann nicht geschrieben werden."};
}

}  // namespace vx
