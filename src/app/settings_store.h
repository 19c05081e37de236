#pragma once

#include "shell/program_settings.h"

class QSettings;

namespace vx {

// Reads and writes the program's settings through QSettings (organisation "Brennholt",
// application "Veltranix"); the keys and defaults are the core's settings table.
class CSettingsStore {
  public:
    explicit CSettingsStore(QSettings& settings) : settings_(settings) {}

    // Missing values take their defaults; a window stored as minimised gets the default size.
    ProgramSettings Read() const;
    // Closing writes every value but those written when they change (plot range, update date).
    void WriteOnClose(const ProgramSettings& values);
    void WriteAll(const ProgramSettings& values);
    // One value (by its key) written at once, as those that are written when they change.
    void WriteValue(const ProgramSettings& values, const char* key);

  private:
    void Write(const ProgramSettings& values, bool closing, const char* only = nullptr);

    QSettings& settings_;
};

}  // namespace vx
