#include "ui/editors/MobileShopPages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/editors/ChoiceBox.h"
#include "ui/editors/FormFields.h"
#include "ui/editors/RecordEditor.h"

namespace tavro::ui {

TShopPage::TShopPage(const TShopPageSpec& spec, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromLatin1(spec.page_name));
  Have = new QCheckBox(spec.have_caption, this);
  Have->setObjectName(QString::fromLatin1(spec.have_name));
  auto* types = new QGroupBox(spec.types_caption, this);
  auto* type_rows = new QVBoxLayout(types);
  for (int i = 0; i < spec.type_count; ++i) {
    auto* box = new TChoiceBox(types);
    box->setObjectName(QString::fromLatin1(spec.types_name) + QString::number(i));
    box->setAccessibleName(spec.types_caption + u' ' + QString::number(i + 1));
    type_rows->addWidget(box);
    TypeBoxes.push_back(box);
  }
  type_rows->addStretch(1);
  auto* numbers = new QGridLayout;
  for (const TShopPageSpec::Number& number : spec.numbers) {
    QWidget* field = nullptr;
    if (number.choices.isEmpty()) {
      auto* edit = new QLineEdit(this);
      edit->setMaximumWidth(100);
      field = edit;
    } else {
      auto* box = new TChoiceBox(this);
      box->setEntries(number.choices);
      field = box;
    }
    field->setObjectName(QString::fromLatin1(number.name));
    const int row = numbers->rowCount();
    numbers->addWidget(caption_label(number.caption, field), row, 0);
    numbers->addWidget(field, row, 1);
    NumberFields.push_back(field);
    captions_.push_back(QString(number.caption).remove(u'&'));
  }
  OpenAlready = new QPushButton(QStringLiteral("Open Already"), this);
  OpenAlready->setObjectName(QString::fromLatin1(spec.open_already_name));
  numbers->addWidget(OpenAlready, numbers->rowCount(), 1);
  numbers->setRowStretch(numbers->rowCount(), 1);
  auto* columns = new QHBoxLayout;
  columns->addWidget(types);
  columns->addLayout(numbers);
  columns->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Have);
  layout->addLayout(columns, 1);
  connect(Have, &QCheckBox::clicked, this, &TShopPage::haveClicked);
  connect(OpenAlready, &QPushButton::clicked, this, &TShopPage::OpenAlreadyClick);
}

void TShopPage::SetItemTypes(const std::vector<std::string>& item_types) {
  for (TChoiceBox* box : TypeBoxes)
    box->setPlainList(item_types);
}

void TShopPage::EnableFields(bool on) {
  for (TChoiceBox* box : TypeBoxes)
    box->setEnabled(on);
  for (QWidget* field : NumberFields)
    field->setEnabled(on);
}

void TShopPage::ShowValues(const std::vector<int32_t>& types, const std::vector<int32_t>& numbers) {
  for (size_t i = 0; i < TypeBoxes.size() && i < types.size(); ++i)
    TypeBoxes[i]->setValue(types[i]);
  for (size_t i = 0; i < NumberFields.size() && i < numbers.size(); ++i) {
    if (auto* edit = qobject_cast<QLineEdit*>(NumberFields[i]))
      edit->setText(QString::number(numbers[i]));
    else
      static_cast<TChoiceBox*>(NumberFields[i])->setValue(numbers[i]);
  }
}

void TShopPage::ClearValues() {
  for (TChoiceBox* box : TypeBoxes)
    box->setCurrentIndex(-1);
  for (QWidget* field : NumberFields) {
    if (auto* edit = qobject_cast<QLineEdit*>(field))
      edit->clear();
    else
      static_cast<TChoiceBox*>(field)->setCurrentIndex(-1);
  }
}

std::vector<int32_t> TShopPage::Types() const {
  std::vector<int32_t> types;
  for (const TChoiceBox* box : TypeBoxes)
    types.push_back(box->value());
  return types;
}

std::vector<int32_t> TShopPage::Numbers() const {
  std::vector<int32_t> numbers;
  for (size_t i = 0; i < NumberFields.size(); ++i) {
    if (auto* edit = qobject_cast<QLineEdit*>(NumberFields[i]))
      numbers.push_back(field_number(edit, captions_[i]));
    else
      numbers.push_back(static_cast<const TChoiceBox*>(NumberFields[i])->value());
  }
  return numbers;
}

// The hours of a keeper who is always there; the switch is left as it is.
void TShopPage::OpenAlreadyClick() {
  const size_t count = NumberFields.size();
  static_cast<QLineEdit*>(NumberFields[count - 2])->setText(QStringLiteral("0"));
  static_cast<QLineEdit*>(NumberFields[count - 1])->setText(QStringLiteral("24"));
}

}  // namespace tavro::ui
