#pragma once
// Small pieces the room editor's pages share: captions that name their fields for a screen reader, and
// the form in which a multi-line text typed by the builder is kept.
#include <QString>
#include <string>
#include <string_view>

class QLabel;
class QWidget;

namespace tavro::ui {

// A label showing caption (with its '&' mnemonic) as the field's buddy; the field's accessible name is
// the caption without the '&'.
QLabel* caption_label(const QString& caption, QWidget* field);

// A multi-line text as typed, kept the way the server's files hold such texts: blanks and line breaks
// at its end dropped, and one line break closing a text that is not empty, so that the '~' after it in
// the file stands on a line of its own. Its beginning (an indented first line) stays as typed.
std::string text_block(std::string_view typed);

}  // namespace tavro::ui
