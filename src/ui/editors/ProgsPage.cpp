#include "ui/editors/ProgsPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "ui/common/TextConversion.h"
#include "ui/editors/FormFields.h"
#include "ui/editors/RecordEditor.h"
#include "ui/editors/TextField.h"

namespace tavro::ui {

TProgsPage::TProgsPage(QWidget* parent) : QWidget(parent) {
  FormCreate();
}

void TProgsPage::FormCreate() {
  setObjectName(QStringLiteral("TSRoomProgs"));
  LBProgs = new QListWidget(this);
  LBProgs->setObjectName(QStringLiteral("LBProgs"));
  LBProgs->setAccessibleName(QStringLiteral("Programs"));
  LBProgs->setMaximumWidth(160);
  CBProgTypes = new QComboBox(this);
  CBProgTypes->setObjectName(QStringLiteral("CBProgTypes"));
  ProgArgumentsEdit = new QLineEdit(this);
  ProgArgumentsEdit->setObjectName(QStringLiteral("ProgArgumentsEdit"));
  ProgBodyEdit = new TTextField(this);
  ProgBodyEdit->setObjectName(QStringLiteral("ProgBodyEdit"));
  MPAddButton = new QPushButton(QStringLiteral("Add"), this);
  MPAddButton->setObjectName(QStringLiteral("MPAddButton"));
  MPRemoveButton = new QPushButton(QStringLiteral("Remove"), this);
  MPRemoveButton->setObjectName(QStringLiteral("MPRemoveButton"));

  auto* fields = new QGridLayout;
  fields->addWidget(caption_label(QStringLiteral("Prog &Type"), CBProgTypes), 0, 0);
  fields->addWidget(CBProgTypes, 0, 1);
  fields->addWidget(caption_label(QStringLiteral("&Arguments"), ProgArgumentsEdit), 1, 0);
  fields->addWidget(ProgArgumentsEdit, 1, 1);
  fields->addWidget(caption_label(QStringLiteral("&Body"), ProgBodyEdit), 2, 0, Qt::AlignTop);
  fields->addWidget(ProgBodyEdit, 2, 1);
  fields->setRowStretch(2, 1);
  auto* left = new QVBoxLayout;
  left->addWidget(LBProgs, 1);
  left->addWidget(MPAddButton);
  left->addWidget(MPRemoveButton);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addLayout(fields, 1);
  setTabOrder(LBProgs, MPAddButton);
  setTabOrder(MPAddButton, MPRemoveButton);
  setTabOrder(MPRemoveButton, CBProgTypes);

  connect(LBProgs, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_ && row >= 0) ShowProg(row);
  });
  connect(CBProgTypes, &QComboBox::activated, this, &TProgsPage::TypeChosen);
  connect(ProgArgumentsEdit, &QLineEdit::textEdited, this, &TProgsPage::ArgumentsEdited);
  connect(ProgBodyEdit, &QPlainTextEdit::textChanged, this, &TProgsPage::BodyEdited);
  connect(MPAddButton, &QPushButton::clicked, this, &TProgsPage::AddProg);
  connect(MPRemoveButton, &QPushButton::clicked, this, &TProgsPage::RemoveProg);
}

void TProgsPage::SetProgTypes(const std::vector<std::string>& types) {
  types_.clear();
  for (const std::string& type : types)
    types_ << from_cp1251(type);
}

void TProgsPage::SetProgs(TWorldProgs* progs, int keep) {
  progs_ = progs;
  const int count = progs_ ? static_cast<int>(progs_->Items.size()) : 0;
  filling_ = true;
  LBProgs->clear();
  for (int i = 0; i < count; ++i)
    LBProgs->addItem(from_cp1251(progs_->Items[static_cast<size_t>(i)]->ProgType).trimmed());
  filling_ = false;
  EnableFields(count > 0);
  if (count > 0) {
    ShowProg(keep >= 0 && keep < count ? keep : 0);
    return;
  }
  filling_ = true;
  ShowType({});
  ProgArgumentsEdit->clear();
  ProgBodyEdit->clear();
  filling_ = false;
}

int TProgsPage::current() const {
  return LBProgs->currentRow();
}

TWorldProg* TProgsPage::Selected() const {
  const int row = LBProgs->currentRow();
  if (!progs_ || row < 0 || row >= static_cast<int>(progs_->Items.size())) return nullptr;
  return progs_->Items[static_cast<size_t>(row)].get();
}

void TProgsPage::ShowProg(int index) {
  filling_ = true;
  LBProgs->setCurrentRow(index);
  const TWorldProg* prog = Selected();
  ShowType(prog ? prog->ProgType : std::string());
  ProgArgumentsEdit->setText(prog ? from_cp1251(prog->Arguments).trimmed() : QString());
  ProgBodyEdit->setText(prog ? prog->Body : std::string());
  filling_ = false;
}

// The world's types, found without regard to letter case (files hold them in either); a type the list
// does not have is offered as it is, so that showing a program never changes it.
void TProgsPage::ShowType(const std::string& type) {
  const QString text = from_cp1251(type).trimmed();
  const QSignalBlocker blocker(CBProgTypes);
  CBProgTypes->clear();
  CBProgTypes->addItems(types_);
  int index = -1;
  for (int i = 0; i < types_.size() && !text.isEmpty(); ++i)
    if (types_[i].compare(text, Qt::CaseInsensitive) == 0) index = i;
  if (index < 0 && !text.isEmpty()) {
    CBProgTypes->addItem(text);
    index = CBProgTypes->count() - 1;
  }
  CBProgTypes->setCurrentIndex(index);
}

void TProgsPage::EnableFields(bool on) {
  for (QWidget* field : {static_cast<QWidget*>(CBProgTypes), static_cast<QWidget*>(ProgArgumentsEdit),
                         static_cast<QWidget*>(ProgBodyEdit), static_cast<QWidget*>(MPRemoveButton)})
    field->setEnabled(on);
}

void TProgsPage::TypeChosen(int index) {
  TWorldProg* prog = Selected();
  if (!prog || index < 0) return;
  prog->ProgType = to_cp1251(CBProgTypes->itemText(index));
  LBProgs->currentItem()->setText(CBProgTypes->itemText(index));
  emit edited();
}

void TProgsPage::ArgumentsEdited(const QString& text) {
  TWorldProg* prog = Selected();
  if (!prog) return;
  prog->Arguments = to_cp1251(text.trimmed());
  emit edited();
}

void TProgsPage::BodyEdited() {
  TWorldProg* prog = Selected();
  if (filling_ || !prog) return;
  prog->Body = text_block(ProgBodyEdit->text());
  emit edited();
}

void TProgsPage::AddProg() {
  if (!progs_) return;
  TWorldProg& prog = progs_->Add();
  prog.ProgType = types_.isEmpty() ? std::string() : to_cp1251(types_.first());
  filling_ = true;
  LBProgs->addItem(from_cp1251(prog.ProgType));
  filling_ = false;
  EnableFields(true);
  ShowProg(LBProgs->count() - 1);
  CBProgTypes->setFocus();
  emit edited();
}

void TProgsPage::RemoveProg() {
  const int row = LBProgs->currentRow();
  if (!Selected()) return;
  progs_->Items.erase(progs_->Items.begin() + row);
  SetProgs(progs_, 0);
  if (progs_->Items.empty()) MPAddButton->setFocus();
  emit edited();
}

void TProgsPage::CheckTexts() const {
  if (!progs_) return;
  for (const auto& prog : progs_->Items) {
    const QString which = QStringLiteral("Program %1").arg(from_cp1251(prog->ProgType).trimmed());
    check_field_text(prog->Arguments, which + QStringLiteral(", Arguments"), ProgArgumentsEdit);
    check_field_text(prog->Body, which + QStringLiteral(", Body"), ProgBodyEdit);
  }
}

}  // namespace tavro::ui
