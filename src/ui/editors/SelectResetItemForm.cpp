#include "ui/editors/SelectResetItemForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <limits>

#include "area/Area.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/ResetTree.h"
#include "ui/common/TextConversion.h"
#include "ui/editors/FormFields.h"

namespace tavro::ui {

namespace {

// The typing pause after which the list is filled afresh.
constexpr int kRefillDelayMs = 100;

QLineEdit* shown_text(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setReadOnly(true);
  return edit;
}

QCheckBox* ticked_box(QWidget* parent, const char* name, const QString& caption) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setAccessibleName(QString(caption).remove(u'&'));
  box->setChecked(true);
  return box;
}

template <class Record>
void show_texts(const Record* record, QLineEdit* short_text, QLineEdit* long_text, QPlainTextEdit* desc) {
  short_text->setText(record ? from_cp1251(record->ShortDescription) : QString());
  long_text->setText(record ? from_cp1251(record->LongDescription).trimmed() : QString());
  desc->setPlainText(record ? from_cp1251_lines(record->Description) : QString());
}

}  // namespace

TSelectResetItemForm::TSelectResetItemForm(QWidget* parent, const TArea& area, ResetItemKind kind)
    : QDialog(parent), area_(area), kind_(kind) {
  setWindowTitle(QStringLiteral("Select Reset Item"));
  CreateFields();
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setSingleShot(true);
  Timer1->setInterval(kRefillDelayMs);
  connect(Timer1, &QTimer::timeout, this, &TSelectResetItemForm::Refill);
  connect(edVNum, &QSpinBox::valueChanged, this, [this] { Typed(TypedField::Vnum); });
  connect(edName, &QLineEdit::textChanged, this, [this] { Typed(TypedField::Name); });
  connect(chLocal, &QCheckBox::clicked, this, &TSelectResetItemForm::Refill);
  connect(chStrong, &QCheckBox::clicked, this, &TSelectResetItemForm::Refill);
  connect(cbNamesList, &QComboBox::currentIndexChanged, this, &TSelectResetItemForm::ShowEntry);
  edVNum->installEventFilter(this);
  edName->installEventFilter(this);
  Refill();
}

void TSelectResetItemForm::CreateFields() {
  edVNum = new QSpinBox(this);
  edVNum->setObjectName(QStringLiteral("edVNum"));
  edVNum->setRange(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  edName = new QLineEdit(this);
  edName->setObjectName(QStringLiteral("edName"));
  cbNamesList = new QComboBox(this);
  cbNamesList->setObjectName(QStringLiteral("cbNamesList"));
  edShort = shown_text(this, "edShort");
  edLong = shown_text(this, "edLong");
  edDesc = new QPlainTextEdit(this);
  edDesc->setObjectName(QStringLiteral("edDesc"));
  edDesc->setReadOnly(true);
  edDesc->setLineWrapMode(QPlainTextEdit::NoWrap);
  chLocal = ticked_box(this, "chLocal", QStringLiteral("Only &local"));
  chStrong = ticked_box(this, "chStrong", QStringLiteral("S&trong check"));
  QDialogButtonBox* buttons = ok_cancel_buttons(this, QStringLiteral("OK"), btnOk, btnCancel);
  auto* form = new QFormLayout(this);
  form->addRow(caption_label(QStringLiteral("&VNum"), edVNum), edVNum);
  form->addRow(caption_label(QStringLiteral("&Name"), edName), edName);
  form->addRow(caption_label(QStringLiteral("Na&mes"), cbNamesList), cbNamesList);
  form->addRow(caption_label(QStringLiteral("&Short"), edShort), edShort);
  form->addRow(caption_label(QStringLiteral("L&ong"), edLong), edLong);
  form->addRow(caption_label(QStringLiteral("&Desc"), edDesc), edDesc);
  form->addRow(chLocal);
  form->addRow(chStrong);
  form->addRow(buttons);
  resize(420, 360);
}

bool TSelectResetItemForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) typed_ = watched == edName ? TypedField::Name : TypedField::Vnum;
  return QDialog::eventFilter(watched, event);
}

// A change in one field counts unless the other one is the field being typed.
void TSelectResetItemForm::Typed(TypedField field) {
  const TypedField other = field == TypedField::Name ? TypedField::Vnum : TypedField::Name;
  if (typed_ == other) return;
  typed_ = field;
  Timer1->start();
}

void TSelectResetItemForm::Refill() {
  Timer1->stop();
  TResetItemFilter filter{chLocal->isChecked(), chStrong->isChecked(), typed_, edVNum->value(),
                          to_cp1251(edName->text())};
  entries_ = ResetItemEntries(area_, kind_, filter);
  {
    const QSignalBlocker quiet(cbNamesList);
    cbNamesList->clear();
    for (const TPickEntry& entry : entries_)
      cbNamesList->addItem(from_cp1251(entry.Text));
  }
  cbNamesList->setEnabled(!entries_.empty());
  ShowEntry(entries_.empty() ? -1 : 0);
}

void TSelectResetItemForm::ShowEntry(int index) {
  {
    const QSignalBlocker quiet(cbNamesList);
    cbNamesList->setCurrentIndex(index);
  }
  chosen_.reset();
  if (index < 0 || index >= static_cast<int>(entries_.size())) {
    show_texts<TAreaObject>(nullptr, edShort, edLong, edDesc);
    return;
  }
  const int32_t vnum = entries_[static_cast<size_t>(index)].Value;
  chosen_ = vnum;
  if (kind_ == ResetItemKind::Object)
    show_texts(FindWorldObject(area_, vnum), edShort, edLong, edDesc);
  else
    show_texts(FindWorldMobile(area_, vnum), edShort, edLong, edDesc);
}

std::optional<int32_t> TSelectResetItemForm::Chosen() const {
  return cbNamesList->currentIndex() >= 0 ? chosen_ : std::nullopt;
}

std::optional<int32_t> TSelectResetItemForm::Pick(QWidget* parent, const TArea& area, ResetItemKind kind) {
  TSelectResetItemForm form(parent, area, kind);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.Chosen();
}

}  // namespace tavro::ui
