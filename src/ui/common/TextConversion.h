#pragma once
// The one crossing between the model's Windows-1251 CR LF byte strings and Qt's QString.
#include <QString>
#include <string>
#include <string_view>

namespace tavro::ui {

// Windows-1251 bytes to QString; CR LF stays CR LF.
QString from_cp1251(std::string_view text);
// QString to Windows-1251; a character 1251 cannot hold becomes '?'.
std::string to_cp1251(const QString& text);
// For multi-line text widgets: CR LF <-> LF.
QString from_cp1251_lines(std::string_view text);
std::string to_cp1251_lines(const QString& text);

}  // namespace tavro::ui
