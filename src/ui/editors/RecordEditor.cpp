#include "ui/editors/RecordEditor.h"

#include <QLineEdit>

#include "area/RecordChecks.h"
#include "ui/common/DialogService.h"
#include "ui/common/TextConversion.h"

namespace tavro::ui {

TFieldError::TFieldError(const QString& text, QWidget* at)
    : std::runtime_error(text.toStdString()), message(text), field(at) {}

void check_field_text(const std::string& text, const QString& caption, QWidget* field) {
  const std::string refusal = TextRefusal(text);
  if (!refusal.empty()) throw TFieldError(caption + QStringLiteral(": ") + from_cp1251(refusal), field);
}

std::string field_text(const QString& text, const QString& caption, QWidget* field) {
  std::string value = to_cp1251(text);
  check_field_text(value, caption, field);
  return value;
}

std::string field_text(QLineEdit* edit, const QString& caption) {
  return field_text(edit->text(), caption, edit);
}

int32_t field_number(QLineEdit* edit, const QString& caption) {
  bool ok = false;
  const int32_t value = edit->text().trimmed().toInt(&ok);
  if (!ok)
    throw TFieldError(
        caption + QStringLiteral(": '") + edit->text() + QStringLiteral("' is not a whole number"), edit);
  return value;
}

void refuse_field(QWidget* parent, const QString& caption, const QString& prefix, const TFieldError& error) {
  const QString text = prefix.isEmpty() ? error.message : prefix + QStringLiteral("\r\n") + error.message;
  DialogService::instance().message(parent, caption, text, DialogIcon::Error);
  if (error.field) error.field->setFocus();
}

std::unique_ptr<TChange> with_names_following(QWidget* parent, const QString& caption,
                                              const QString& question, std::unique_ptr<TChange> store,
                                              const std::function<std::unique_ptr<TChange>()>& follow) {
  if (question.isEmpty()) return store;
  const DialogAnswer answer = DialogService::instance().question(
      parent, caption, question, DialogButtons::YesNoCancel, DialogIcon::Question);
  if (answer == DialogAnswer::No) return store;
  if (answer != DialogAnswer::Yes) {
    store->Revert();
    return nullptr;
  }
  auto group = std::make_unique<TChangeGroup>();
  group->Add(std::move(store));
  group->Add(follow());
  return group;
}

}  // namespace tavro::ui
