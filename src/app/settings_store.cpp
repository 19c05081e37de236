#include "app/settings_store.h"

#include <QSettings>
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
        if (const auto* number = std::get_if<int ProgramSettings::*>(&key.field)) {
            values.*(*number) = settings_.value(path, values.*(*number)).toInt();
        } else {
            const auto text = std::get<std::string ProgramSettings::*>(key.field);
            values.*text = Std(settings_.value(path, Qs(values.*text)).toString());
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
        if (const auto* number = std::get_if<int ProgramSettings::*>(&key.field)) {
            settings_.setValue(KeyPath(key), values.*(*number));
        } else {
            settings_.setValue(KeyPath(key),
                               Qs(values.*std::get<std::string ProgramSettings::*>(key.field)));
        }
    }
    settings_.sync();
}

}  // namespace vx
