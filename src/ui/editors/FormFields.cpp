#include "ui/editors/FormFields.h"

#include <QLabel>

namespace tavro::ui {

QLabel* caption_label(const QString& caption, QWidget* field) {
  auto* label = new QLabel(caption, field->parentWidget());
  label->setBuddy(field);
  field->setAccessibleName(QString(caption).remove(u'&'));
  return label;
}

std::string text_block(std::string_view typed) {
  const size_t end = typed.find_last_not_of(" \t\r\n");
  if (end == std::string_view::npos) return {};
  return std::string(typed.substr(0, end + 1)) + "\r\n";
}

}  // namespace tavro::ui
