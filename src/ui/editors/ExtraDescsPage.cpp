#include "ui/editors/ExtraDescsPage.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "ui/common/TextConversion.h"
#include "ui/editors/FormFields.h"
#include "ui/editors/RecordEditor.h"
#include "ui/editors/SingleVisualForm.h"
#include "ui/editors/TextField.h"

namespace tavro::ui {

namespace {

const QString kUnidentified = QStringLiteral("(unidentified)");

QString keyword_entry(const TAreaExtraDesc& desc) {
  return from_cp1251(desc.Keyword).trimmed();
}

}  // namespace

TExtraDescsPage::TExtraDescsPage(QWidget* parent) : QWidget(parent) {
  FormCreate();
}

void TExtraDescsPage::FormCreate() {
  setObjectName(QStringLiteral("TSRoomDescs"));
  EDCBList = new QComboBox(this);
  EDCBList->setObjectName(QStringLiteral("EDCBList"));
  EDKeywordEdit = new QLineEdit(this);
  EDKeywordEdit->setObjectName(QStringLiteral("EDKeywordEdit"));
  EDDescription = new TTextField(this);
  EDDescription->setObjectName(QStringLiteral("EDDescription"));
  EDAddButton = new QPushButton(QStringLiteral("Add"), this);
  EDRemoveButton = new QPushButton(QStringLiteral("Remove"), this);
  EDViewButton = new QPushButton(QStringLiteral("View"), this);
  EDAddButton->setObjectName(QStringLiteral("EDAddButton"));
  EDRemoveButton->setObjectName(QStringLiteral("EDRemoveButton"));
  EDViewButton->setObjectName(QStringLiteral("EDViewButton"));

  auto* grid = new QGridLayout;
  grid->addWidget(caption_label(QStringLiteral("E&xtra descriptions"), EDCBList), 0, 0);
  grid->addWidget(EDCBList, 0, 1);
  grid->addWidget(caption_label(QStringLiteral("&Keyword"), EDKeywordEdit), 1, 0);
  grid->addWidget(EDKeywordEdit, 1, 1);
  grid->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(EDAddButton);
  buttons->addWidget(EDRemoveButton);
  buttons->addWidget(EDViewButton);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(caption_label(QStringLiteral("Descr&iption"), EDDescription));
  layout->addWidget(EDDescription, 1);
  layout->addLayout(buttons);

  connect(EDCBList, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!filling_) ShowExtraDesc(index);
  });
  connect(EDKeywordEdit, &QLineEdit::textEdited, this, &TExtraDescsPage::KeywordEdited);
  connect(EDDescription, &QPlainTextEdit::textChanged, this, &TExtraDescsPage::DescriptionEdited);
  connect(EDAddButton, &QPushButton::clicked, this, &TExtraDescsPage::AddDesc);
  connect(EDRemoveButton, &QPushButton::clicked, this, &TExtraDescsPage::RemoveDesc);
  connect(EDViewButton, &QPushButton::clicked, this, &TExtraDescsPage::ViewDesc);
  EDKeywordEdit->installEventFilter(this);
  EDCBList->installEventFilter(this);
}

void TExtraDescsPage::SetDescs(TAreaExtraDescs* descs, int keep) {
  descs_ = descs;
  const int count = descs_ ? static_cast<int>(descs_->Items.size()) : 0;
  {
    const QSignalBlocker blocker(EDCBList);
    EDCBList->clear();
    for (int i = 0; i < count; ++i)
      EDCBList->addItem(keyword_entry(*descs_->Items[static_cast<size_t>(i)]));
  }
  EnableFields(count > 0);
  if (count > 0) {
    ShowExtraDesc(keep >= 0 && keep < count ? keep : 0);
  } else {
    filling_ = true;
    EDKeywordEdit->clear();
    EDDescription->clear();
    filling_ = false;
  }
  EDAddButton->setEnabled(count == 0 || !EDKeywordEdit->text().trimmed().isEmpty());
}

int TExtraDescsPage::current() const {
  return EDCBList->currentIndex();
}

TAreaExtraDesc* TExtraDescsPage::Selected() const {
  const int index = EDCBList->currentIndex();
  if (!descs_ || index < 0 || index >= static_cast<int>(descs_->Items.size())) return nullptr;
  return descs_->Items[static_cast<size_t>(index)].get();
}

void TExtraDescsPage::ShowExtraDesc(int index) {
  filling_ = true;
  EDCBList->setCurrentIndex(index);
  const TAreaExtraDesc* desc = Selected();
  EDKeywordEdit->setText(desc ? keyword_entry(*desc) : QString());
  EDDescription->setText(desc ? desc->Description : std::string());
  filling_ = false;
}

void TExtraDescsPage::EnableFields(bool on) {
  for (QWidget* field : {static_cast<QWidget*>(EDKeywordEdit), static_cast<QWidget*>(EDDescription),
                         static_cast<QWidget*>(EDCBList), static_cast<QWidget*>(EDRemoveButton),
                         static_cast<QWidget*>(EDViewButton)})
    field->setEnabled(on);
}

void TExtraDescsPage::KeywordEdited(const QString& text) {
  TAreaExtraDesc* desc = Selected();
  if (!desc) return;
  desc->Keyword = to_cp1251(text.trimmed());
  EDCBList->setItemText(EDCBList->currentIndex(), text.trimmed());
  EDAddButton->setEnabled(!text.trimmed().isEmpty());
  emit edited();
}

void TExtraDescsPage::DescriptionEdited() {
  TAreaExtraDesc* desc = Selected();
  if (filling_ || !desc) return;
  desc->Description = text_block(EDDescription->text());
  emit edited();
}

void TExtraDescsPage::AddDesc() {
  if (!descs_) return;
  descs_->Add();
  filling_ = true;
  EDCBList->addItem(QString());
  EDCBList->setCurrentIndex(EDCBList->count() - 1);
  EDKeywordEdit->clear();
  EDDescription->clear();
  filling_ = false;
  EnableFields(true);
  EDKeywordEdit->setFocus();
  EDAddButton->setEnabled(false);
  emit edited();
}

void TExtraDescsPage::RemoveDesc() {
  const int index = EDCBList->currentIndex();
  if (!Selected()) return;
  descs_->Items.erase(descs_->Items.begin() + index);
  {
    const QSignalBlocker blocker(EDCBList);
    EDCBList->removeItem(index);
  }
  const bool left = EDCBList->count() > 0;
  EnableFields(left);
  if (left) {
    ShowExtraDesc(0);
  } else {
    SetDescs(descs_);
    EDAddButton->setEnabled(true);
    EDAddButton->setFocus();
  }
  emit edited();
}

// An entry keeps a keyword players can look at; one with nothing in it is no entry.
void TExtraDescsPage::NameUnidentified(bool drop_empty) {
  TAreaExtraDesc* desc = Selected();
  if (!desc || !EDKeywordEdit->text().trimmed().isEmpty()) return;
  if (drop_empty && EDDescription->toPlainText().trimmed().isEmpty()) {
    RemoveDesc();
    if (EDCBList->count() > 0) EDKeywordEdit->setFocus();
    return;
  }
  EDKeywordEdit->setText(kUnidentified);
  KeywordEdited(kUnidentified);
}

void TExtraDescsPage::LeavePage() {
  NameUnidentified(true);
}

bool TExtraDescsPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EDKeywordEdit && event->type() == QEvent::FocusOut && EDKeywordEdit->isEnabled())
    NameUnidentified(false);
  if (watched == EDCBList && event->type() == QEvent::FocusIn) NameUnidentified(true);
  return QWidget::eventFilter(watched, event);
}

void TExtraDescsPage::CheckTexts() const {
  if (!descs_) return;
  for (size_t i = 0; i < descs_->Items.size(); ++i) {
    const TAreaExtraDesc& desc = *descs_->Items[i];
    const QString which = QStringLiteral("Extra description \"%1\"").arg(from_cp1251(desc.Keyword).trimmed());
    check_field_text(desc.Keyword, which + QStringLiteral(", Keyword"), EDKeywordEdit);
    check_field_text(desc.Description, which + QStringLiteral(", Description"), EDDescription);
  }
}

void TExtraDescsPage::ViewDesc() {
  TSingleVisualForm preview(window());
  preview.SetText(EDDescription->toPlainText().trimmed());
  preview.exec();
}

}  // namespace tavro::ui
