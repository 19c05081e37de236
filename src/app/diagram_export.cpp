#include "app/diagram_export.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <filesystem>

#include "app/plot_painter.h"
#include "app/plot_view.h"
#include "plot/svg_writer.h"
#include "qt/message_box.h"
#include "qt/qt_text.h"

namespace vx {

namespace {

PlotRect PageOf(const CPlotView& view) {
    return {0, 0, view.width(), view.height()};
}

// The drawing at the view's size on `device`, `ratio` device pixels to a screen pixel.
void PaintOnto(CPlotView& view, QPaintDevice& device, double ratio) {
    QPainter painter(&device);
    painter.setFont(view.font());
    painter.fillRect(QRect(0, 0, view.width(), view.height()), Qt::white);
    CPlotPainter(painter).Paint(
        view.Drawing(PageOf(view), PlotScale::Screen(ratio)).plot.primitives);
}

QImage Image(CPlotView& view) {
    const double ratio = std::max(2.0, view.devicePixelRatioF());
    QImage image(QSize(view.width(), view.height()) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    PaintOnto(view, image, ratio);
    return image;
}

}  // namespace

void CopyDiagramImage(CPlotView& view) {
    QGuiApplication::clipboard()->setImage(Image(view));
    emit view.statusMessage(Qs(kImageCopiedText));
}

void CopyDiagramValues(CPlotView& view, CDiagram& diagram) {
    const ViewCurves curves = diagram.Curves();
    QGuiApplication::clipboard()->setText(Qs(ValuesTable(curves)));
    emit view.statusMessage(Qs(ValuesCopiedText(static_cast<int>(curves.x.size()),
                                                static_cast<int>(curves.series.size()))));
}

bool SaveDiagram(CPlotView& view, DiagramFormat format, const QString& path) {
    switch (format) {
        case DiagramFormat::SVG: {
            const SvgOptions svg{static_cast<double>(view.font().pixelSize())};
            const DiagramDrawing drawing =
                view.Drawing(PageOf(view), PlotScale::ForFontSize(svg.fontSize));
            QFile file(path);
            return file.open(QIODevice::WriteOnly) &&
                   file.write(QByteArray::fromStdString(
                       WriteSvg(drawing.plot.primitives, PageOf(view), svg))) >= 0;
        }
        case DiagramFormat::PNG:
            return Image(view).save(path, "PNG");
        case DiagramFormat::PDF: {
            // A page of the view's size, one point to a screen pixel.
            QPdfWriter writer(path);
            writer.setResolution(72);
            writer.setPageSize(QPageSize(QSizeF(view.width(), view.height()), QPageSize::Point));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            writer.setTitle(view.window()->windowTitle());
            QFile probe(path);
            if (!probe.open(QIODevice::WriteOnly)) {
                return false;
            }
            probe.close();
            PaintOnto(view, writer, 1.0);
            return true;
        }
    }
    return false;
}

void SaveDiagramWithDialog(CPlotView& view, DiagramFormat format, const std::string& folder,
                           const std::string& name) {
    const DiagramFileType type = FileTypeOf(format);
    const std::filesystem::path proposal =
        std::filesystem::path(folder) / ((name.empty() ? "grafik" : name) + "." + type.suffix);
    QFileDialog dialog(&view, Qs(kSaveDiagramTitle), Qs(proposal.string()), Qs(type.filter));
    dialog.setObjectName("saveDiagramDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QLatin1String(type.suffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().front();
    if (SaveDiagram(view, format, path)) {
        emit view.statusMessage(Qs(DiagramSavedText(Std(path))));
    } else {
        ShowMessage(&view, DiagramNotSavedMessage(Std(path)));
    }
}

}  // namespace vx
