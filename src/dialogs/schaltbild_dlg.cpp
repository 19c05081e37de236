#include "dialogs/schaltbild_dlg.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "dialogs/copy_shortcut.h"
#include "dialogs/dialog_parts.h"
#include "qt/qt_text.h"
#include "report/result_messages.h"

namespace vx {

CSchaltbildDlg::CSchaltbildDlg(SchematicPicture picture, QWidget* parent) : QDialog(parent) {
    setObjectName("schaltbildDlg");
    setWindowTitle(Qs(kSchematicTitle));
    const auto png = SchematicPng(picture);
    QPixmap pixmap;
    pixmap.loadFromData(png.data(), static_cast<uint>(png.size()), "PNG");
    auto* label = new QLabel(this);
    label->setObjectName("schematicPicture");
    label->setPixmap(pixmap);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(OkButton(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    AddCopyShortcut(this, pixmap);
}

}  // namespace vx
