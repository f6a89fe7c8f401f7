#include "ui/editors/FormsFixForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "reading/Cases.h"
#include "ui/common/DialogService.h"
#include "ui/common/TextConversion.h"

namespace tavro::ui {

TFormsFixForm::TFormsFixForm(QWidget* parent, const QString& title, const QStringList& captions,
                             bool captions_above, const QString& count_word)
    : QDialog(parent), count_word_(count_word) {
  setWindowTitle(title);
  // The fields are created before the buttons, so the focus runs down them and on to the buttons.
  for (const QString& caption : captions)
    labels_.push_back(new QLabel(caption, this));
  for (qsizetype i = 0; i < captions.size(); ++i)
    edits_.push_back(new QLineEdit(this));
  Button1 = new QPushButton(QStringLiteral("OK"), this);
  Button2 = new QPushButton(QStringLiteral("Cancel"), this);
  auto* grid = new QGridLayout;
  for (size_t i = 0; i < labels_.size(); ++i) {
    const int row = static_cast<int>(i);
    labels_[i]->setBuddy(edits_[i]);
    edits_[i]->setAccessibleName(captions[row]);
    edits_[i]->setMinimumWidth(captions_above ? 420 : 240);
    grid->addWidget(labels_[i], captions_above ? 2 * row : row, 0);
    grid->addWidget(edits_[i], captions_above ? 2 * row + 1 : row, captions_above ? 0 : 1);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &TFormsFixForm::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  edits_.front()->setFocus();
}

void TFormsFixForm::ShowForms(const QString& text) {
  const std::string set = to_cp1251(text.trimmed());
  for (size_t i = 0; i < edits_.size(); ++i)
    edits_[i]->setText(from_cp1251(decode_case(set, static_cast<int>(i) + 1)));
}

std::vector<std::string> TFormsFixForm::FieldForms() const {
  std::vector<std::string> forms;
  for (const QLineEdit* edit : edits_)
    forms.push_back(to_cp1251(edit->text().trimmed()));
  return forms;
}

QString TFormsFixForm::Folded() const {
  return from_cp1251(Fold(FieldForms()));
}

void TFormsFixForm::accept() {
  const std::vector<std::string> forms = FieldForms();
  const std::string set = Fold(forms);
  const int lost = form_not_kept(set, forms);
  if (lost == 0) {
    QDialog::accept();
    return;
  }
  const size_t i = static_cast<size_t>(lost - 1);
  DialogService::instance().message(
      this, windowTitle(),
      QStringLiteral("%1: \"%2\" would be stored as \"%3\".\nA form may not hold ':', and all %4 forms need "
                     "the same spaces and hyphens between their words.")
          .arg(labels_[i]->text(), from_cp1251(forms[i]), from_cp1251(decode_case(set, lost)), count_word_),
      DialogIcon::Warning);
  edits_[i]->setFocus();
  edits_[i]->selectAll();
}

}  // namespace tavro::ui
