#include "ui/editors/HelpEditForm.h"

#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

#include "area/Area.h"
#include "ui/common/TextConversion.h"
#include "ui/editors/FormFields.h"
#include "ui/editors/TextField.h"

namespace tavro::ui {

THelpEditForm::THelpEditForm(QWidget* parent) : TRecordEditor<TAreaHelpItem>(parent) {
  FormCreate();
}

void THelpEditForm::FormCreate() {
  setWindowTitle(QStringLiteral("Help Edit"));
  LBSearch->setAccessibleName(QStringLiteral("Helps"));
  NameEdit = new QPlainTextEdit(FieldsPanel);
  NameEdit->setObjectName(QStringLiteral("NameEdit"));
  NameEdit->setTabChangesFocus(true);
  NameEdit->setFixedHeight(NameEdit->fontMetrics().lineSpacing() * 3);
  LevelEdit = new QLineEdit(FieldsPanel);
  LevelEdit->setObjectName(QStringLiteral("LevelEdit"));
  LevelEdit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), LevelEdit));
  LevelEdit->setMaximumWidth(80);
  LevelEdit->setToolTip(QStringLiteral("From -1 to 65; Up and Down step it"));
  LevelEdit->installEventFilter(this);
  TextEdit = new TTextField(FieldsPanel);
  TextEdit->setObjectName(QStringLiteral("TextEdit"));

  auto* layout = new QFormLayout(FieldsPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addRow(caption_label(QStringLiteral("&Name"), NameEdit), NameEdit);
  layout->addRow(caption_label(QStringLiteral("&Level"), LevelEdit), LevelEdit);
  layout->addRow(caption_label(QStringLiteral("&Text"), TextEdit), TextEdit);
  setTabOrder(NameEdit, LevelEdit);
  setTabOrder(LevelEdit, TextEdit);

  connect(LevelEdit, &QLineEdit::textEdited, this, [this] { level_edited_ = true; });
  WatchEdits();
  RouteDataPanelExitToApply();
}

// Up and Down step the level within its range, as the up-down arrows beside it do.
bool THelpEditForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LevelEdit && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      StepLevel(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return TRecordEditor<TAreaHelpItem>::eventFilter(watched, event);
}

void THelpEditForm::StepLevel(int delta) {
  bool ok = false;
  const int level = LevelEdit->text().toInt(&ok);
  const int stepped = (ok ? level : 0) + delta;
  if (stepped < kMinLevel || stepped > kMaxLevel) return;
  LevelEdit->setText(QString::number(stepped));
  level_edited_ = true;
  Dirty = true;
}

TRecordEditor<TAreaHelpItem>::List& THelpEditForm::Records(TArea& area) const {
  return area.Helps->Items;
}

uint32_t THelpEditForm::Scope() const {
  return kHelpsChanged;
}

QString THelpEditForm::EntryText(const TAreaHelpItem& help) const {
  return from_cp1251(normalize_keywords(help.Keywords));
}

QString THelpEditForm::RecordLabel(const TAreaHelpItem& help) const {
  return QStringLiteral("Help ") + from_cp1251(help.Keywords);
}

// The help editor's refusals are short messages of their own.
QString THelpEditForm::ErrorPrefix() const {
  return QString();
}

void THelpEditForm::ShowRecord(const TAreaHelpItem& help) {
  NameEdit->setPlainText(from_cp1251(normalize_keywords(help.Keywords)));
  LevelEdit->setText(QString::number(help.Level));
  TextEdit->setText(help.Text);
  level_edited_ = false;
}

void THelpEditForm::ClearFields() {
  NameEdit->clear();
  LevelEdit->setText(QStringLiteral("-1"));
  TextEdit->clear();
  level_edited_ = false;
}

int32_t THelpEditForm::ReadLevel(int32_t stored) const {
  if (!level_edited_ && CurrentIndex >= 0) return stored;
  bool ok = false;
  const int level = LevelEdit->text().toInt(&ok);
  if (!ok || level < kMinLevel || level > kMaxLevel)
    throw TFieldError(QStringLiteral("Bad level value!"), LevelEdit);
  return level;
}

void THelpEditForm::ReadFields(TAreaHelpItem& help) {
  const std::string name =
      normalize_keywords(field_text(NameEdit->toPlainText(), QStringLiteral("Name"), NameEdit));
  if (name.empty()) throw TFieldError(QStringLiteral("Empty Name not allowed!"), NameEdit);
  const int32_t level = ReadLevel(help.Level);
  std::string text = TextEdit->text();
  // The reader drops a help whose text holds nothing but blanks and line breaks: it would be lost on the
  // next load.
  if (text.find_first_not_of(" \t\r\n") == std::string::npos)
    throw TFieldError(QStringLiteral("Empty Text not allowed!"), TextEdit);
  check_field_text(text, QStringLiteral("Text"), TextEdit);
  help.Keywords = name;
  help.Level = level;
  help.Text = std::move(text);
}

std::unique_ptr<TAreaHelpItem> THelpEditForm::NewRecord(TArea&) const {
  return std::make_unique<TAreaHelpItem>();
}

std::unique_ptr<TAreaHelpItem> THelpEditForm::CopyOf(const TAreaHelpItem& help) const {
  return std::make_unique<TAreaHelpItem>(help);
}

void THelpEditForm::ViewItem() {
  ViewText = QStringLiteral("&w") + TextEdit->toPlainText().trimmed();
  TParentForm::ViewItem();
}

}  // namespace tavro::ui
