#pragma once
// Small pieces the editors and their dialogs share: captions that name their fields for a screen reader,
// the OK and Cancel row of a dialog, and the form in which a multi-line text typed by the builder is kept.
#include <QString>
#include <string>
#include <string_view>

class QDialog;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QWidget;

namespace tavro::ui {

// A label showing caption (with its '&' mnemonic) as the field's buddy; the field's accessible name is
// the caption without the '&'.
QLabel* caption_label(const QString& caption, QWidget* field);

// The dialog's OK (the default, captioned ok_caption) and Cancel buttons, accepting and rejecting it.
QDialogButtonBox* ok_cancel_buttons(QDialog* dialog, const QString& ok_caption, QPushButton*& ok,
                                    QPushButton*& cancel);

// A multi-line text as typed, kept the way the server's files hold such texts: blanks and line breaks
// at its end dropped, and one line break closing a text that is not empty, so that the '~' after it in
// the file stands on a line of its own. Its beginning (an indented first line) stays as typed.
std::string text_block(std::string_view typed);

}  // namespace tavro::ui
