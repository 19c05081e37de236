#include "app/settings_store.h"

#include <QSettings>
#include <QStringList>
#include <cstring>

#include "qt/qt_text.h"

namespace vx {

namespace {

QString KeyPath(const SettingKey& key) {
    return Qs(key.section) + "/" + Qs(key.key);
}

}  // namespace

ProgramSettings CSettingsStore::Read() const {
    ProgramSettings values = DefaultProgramSettings();
    for (const SettingKey& key : SettingKeys()) {
        const QString path = KeyPath(key);
        const StoredValue fallback = ValueOf(values, key);
        if (const int* number = std::get_if<int>(&fallback)) {
            SetValue(values, key, settings_.value(path, *number).toInt());
        } else if (std::holds_alternative<std::vector<std::string>>(fallback)) {
            std::vector<std::string> list;
            for (const QString& text : settings_.value(path).toStringList()) {
                list.push_back(Std(text));
            }
            SetValue(values, key, list);
        } else {
            const QString text = Qs(std::get<std::string>(fallback));
            SetValue(values, key, Std(settings_.value(path, text).toString()));
        }
    }
    NormaliseWindowSize(values);
    return values;
}

void CSettingsStore::WriteOnClose(const ProgramSettings& values) {
    Write(values, true);
}

void CSettingsStore::WriteAll(const ProgramSettings& values) {
    Write(values, false);
}

void CSettingsStore::WriteValue(const ProgramSettings& values, const char* key) {
    Write(values, false, key);
}

void CSettingsStore::Write(const ProgramSettings& values, bool closing, const char* only) {
    for (const SettingKey& key : SettingKeys()) {
        if ((closing && !key.writtenOnClose) ||
            (only != nullptr && std::strcmp(key.key, only) != 0)) {
            continue;
        }
        const StoredValue value = ValueOf(values, key);
        if (const int* number = std::get_if<int>(&value)) {
            settings_.setValue(KeyPath(key), *number);
        } else if (const auto* list = std::get_if<std::vector<std::string>>(&value)) {
            QStringList texts;
            for (const std::string& text : *list) {
                texts << Qs(text);
            }
            settings_.setValue(KeyPath(key), texts);
        } else {
            settings_.setValue(KeyPath(key), Qs(std::get<std::string>(value)));
        }
    }
    settings_.sync();
}

}  // namespace vx
