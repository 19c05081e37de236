#include "app/main_tool_bar.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QStyle>
#include <QToolBar>
#include <array>

#include "plot/diagram_messages.h"
#include "qt/qt_text.h"

namespace vx {

namespace {

// The desktop's icon where its theme has one, else Qt's own (`qtIcon`, a resource of Qt's print
// dialogs, as the style has no printer), else the style's nearest.
struct ToolIcon {
    Command command;
    const char* theme;
    const char* qtIcon;
    QStyle::StandardPixmap fallback;
    const char* button;
};

constexpr std::array<ToolIcon, 6> kToolIcons = {{
    {Command::NEW_FILTER_AGAIN, "document-new", nullptr, QStyle::SP_FileIcon, "newFilterButton"},
    {Command::LOAD_SPECIFICATION, "document-open", nullptr, QStyle::SP_DialogOpenButton,
     "loadButton"},
    {Command::SAVE_SPECIFICATION, "document-save-as", nullptr, QStyle::SP_DialogSaveButton,
     "saveButton"},
    {Command::GRAPH_PRINT, "document-print",
     ":/qt-project.org/dialogs/qprintpreviewdialog/images/printer-%1.png",
     QStyle::SP_FileDialogContentsView, "printGraphButton"},
    {Command::RESULT_DIMENSIONING, "x-office-spreadsheet", nullptr,
     QStyle::SP_FileDialogDetailedView, "dimensioningButton"},
    {Command::SPICE_AMPLITUDE_DB, "media-playback-start", nullptr, QStyle::SP_MediaPlay,
     "spiceAmplitudeButton"},
}};

QIcon IconOf(const ToolIcon& icon, const QStyle* style) {
    QIcon fallback;
    if (icon.qtIcon != nullptr) {
        for (const int size : {24, 32}) {
            const QString file = QString::fromLatin1(icon.qtIcon).arg(size);
            if (QFile::exists(file)) {
                fallback.addFile(file, QSize(size, size));
            }
        }
    }
    if (fallback.isNull()) {
        fallback = style->standardIcon(icon.fallback);
    }
    return QIcon::fromTheme(QString::fromLatin1(icon.theme), fallback);
}

}  // namespace

QString ToolTipOf(Command command, std::optional<Command> lastUsed, const QKeySequence& shortcut) {
    QString tip = Qs(CommandTitle(command, lastUsed));
    if (!shortcut.isEmpty()) {
        tip += QStringLiteral(" (%1)").arg(shortcut.toString(QKeySequence::NativeText));
    }
    return tip;
}

void AddMainToolBar(QMainWindow* window, const std::map<Command, QAction*>& actions) {
    auto* bar = window->addToolBar(QString());
    bar->setObjectName("mainToolBar");
    // Where it was moved to would not be kept for the next start.
    bar->setMovable(false);
    for (const Command command : ToolBarCommands()) {
        QAction* action = actions.at(command);
        for (const ToolIcon& icon : kToolIcons) {
            if (icon.command == command) {
                action->setIcon(IconOf(icon, window->style()));
                bar->addAction(action);
                bar->widgetForAction(action)->setObjectName(icon.button);
            }
        }
        action->setToolTip(ToolTipOf(command, std::nullopt, action->shortcut()));
    }
    // The diagram's views as words: no icon says "step response".
    bar->addSeparator();
    for (const ViewName& name : kViewNames) {
        const Command command = CommandOfView(name.view);
        QAction* action = actions.at(command);
        bar->addAction(action);
        bar->widgetForAction(action)->setObjectName(
            QStringLiteral("viewButton%1").arg(static_cast<int>(name.view)));
        action->setToolTip(ToolTipOf(command, std::nullopt, action->shortcut()));
    }
}

}  // namespace vx
