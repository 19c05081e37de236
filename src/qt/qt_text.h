#pragma once

#include <QString>
#include <string>

// The core speaks UTF-8; Qt speaks QString.
namespace vx {

inline QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

inline QString Qs(const char* text) {
    return QString::fromUtf8(text);
}

inline std::string Std(const QString& text) {
    return text.toStdString();
}

}  // namespace vx
