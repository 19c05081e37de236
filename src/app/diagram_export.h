#pragma once

#include <QString>
#include <string>

#include "plot/diagram_messages.h"

namespace vx {

class CDiagram;
class CPlotView;

// What the diagram's context menu does: the diagram as the screen shows it (without the cursor)
// onto the clipboard or into a file; each tells the view's status line.
void CopyDiagramImage(CPlotView& view);
// The shown curves' values on their grid as tab-separated text.
void CopyDiagramValues(CPlotView& view, CDiagram& diagram);
// SVG and PDF keep lines and text as vectors, PNG has twice the screen's pixels at scale 1.
// False when the file cannot be written.
bool SaveDiagram(CPlotView& view, DiagramFormat format, const QString& path);
// Asks for the file, proposed as `name` in `folder` (the specification's), then saves; a
// failure is told in a box.
void SaveDiagramWithDialog(CPlotView& view, DiagramFormat format, const std::string& folder,
                           const std::string& name);

}  // namespace vx
