#pragma once
// The windows hold UTF-8 std::string in their state and QString in their controls.

#include <QString>
#include <string>

namespace platform {

inline QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}
inline std::string Utf8(const QString& text) {
  return text.toStdString();
}

}  // namespace platform
