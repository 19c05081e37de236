#include "app/recent_files_menu.h"

#include <QMenu>

#include "app/settings_store.h"
#include "qt/qt_text.h"
#include "shell/program_settings.h"
#include "shell/recent_files.h"

namespace vx {

CRecentFilesMenu::CRecentFilesMenu(QMenu* menu, CSettingsStore& store, ProgramSettings& settings,
                                   std::function<void(const std::string&)> open)
    : menu_(menu), store_(store), settings_(settings), open_(std::move(open)) {
    for (size_t i = 0; i < kRecentFileCount; ++i) {
        QAction* entry = menu->addAction(QString());
        entry->setObjectName(QStringLiteral("recentFile%1").arg(i + 1));
        QObject::connect(entry, &QAction::triggered, menu,
                         [this, entry] { open_(Std(entry->data().toString())); });
        entries_.push_back(entry);
    }
    separator_ = menu->addSeparator();
    ShowEntries();
}

void CRecentFilesMenu::Add(const std::string& path) {
    Keep(WithRecentFile(settings_.recentFiles, path));
}

void CRecentFilesMenu::Remove(const std::string& path) {
    Keep(WithoutRecentFile(settings_.recentFiles, path));
}

void CRecentFilesMenu::Keep(std::vector<std::string> list) {
    if (list == settings_.recentFiles) {
        return;
    }
    settings_.recentFiles = std::move(list);
    store_.WriteValue(settings_, "RecentFiles");
    ShowEntries();
}

void CRecentFilesMenu::ShowEntries() {
    const std::vector<std::string>& list = settings_.recentFiles;
    for (size_t i = 0; i < entries_.size(); ++i) {
        QAction* entry = entries_[i];
        entry->setVisible(i < list.size());
        if (i < list.size()) {
            entry->setText(Qs(RecentFileEntryText(i, list[i])));
            entry->setData(Qs(list[i]));
            entry->setStatusTip(Qs(list[i]));
        }
    }
    separator_->setVisible(!list.empty());
}

}  // namespace vx
