#include "ui/editors/ActionsFixForm.h"

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

TActionsFixForm::TActionsFixForm(QWidget* parent)
    : QDialog(parent),
      Label1(new QLabel(this)),
      Label2(new QLabel(this)),
      Label3(new QLabel(this)),
      Edit1(new QLineEdit(this)),
      Edit2(new QLineEdit(this)),
      Edit3(new QLineEdit(this)),
      Button1(new QPushButton(QStringLiteral("OK"), this)),
      Button2(new QPushButton(QStringLiteral("Cancel"), this)),
      labels_{Label1, Label2, Label3},
      edits_{Edit1, Edit2, Edit3} {
  FormCreate();
}

void TActionsFixForm::FormCreate() {
  setWindowTitle(QStringLiteral("Actions Fix"));
  const std::array<QString, 3> captions = {QStringLiteral("Для игрока"), QStringLiteral("Для наблюдателя"),
                                           QStringLiteral("Автоматическое")};
  auto* grid = new QGridLayout;
  for (size_t i = 0; i < captions.size(); ++i) {
    const int row = static_cast<int>(2 * i);
    labels_[i]->setText(captions[i]);
    labels_[i]->setBuddy(edits_[i]);
    edits_[i]->setAccessibleName(captions[i]);
    edits_[i]->setMinimumWidth(420);
    grid->addWidget(labels_[i], row, 0);
    grid->addWidget(edits_[i], row + 1, 0);
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
  connect(Button1, &QPushButton::clicked, this, &TActionsFixForm::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  Edit1->setFocus();
}

void TActionsFixForm::SetActions(const QString& text) {
  const std::string set = to_cp1251(text.trimmed());
  for (size_t i = 0; i < edits_.size(); ++i)
    edits_[i]->setText(from_cp1251(decode_case(set, static_cast<int>(i) + 1)));
}

std::array<std::string, 3> TActionsFixForm::Forms() const {
  std::array<std::string, 3> forms;
  for (size_t i = 0; i < edits_.size(); ++i)
    forms[i] = to_cp1251(edits_[i]->text().trimmed());
  return forms;
}

QString TActionsFixForm::Actions() const {
  return from_cp1251(encode_cases3(Forms()));
}

void TActionsFixForm::accept() {
  const std::array<std::string, 3> forms = Forms();
  const std::string set = encode_cases3(forms);
  for (size_t i = 0; i < forms.size(); ++i) {
    const std::string kept = decode_case(set, static_cast<int>(i) + 1);
    if (kept == forms[i]) continue;
    DialogService::instance().message(
        this, windowTitle(),
        QStringLiteral(
            "%1: \"%2\" would be stored as \"%3\".\nA form may not hold ':', and all three forms need "
            "the same spaces and hyphens between their words.")
            .arg(labels_[i]->text(), from_cp1251(forms[i]), from_cp1251(kept)),
        DialogIcon::Warning);
    edits_[i]->setFocus();
    edits_[i]->selectAll();
    return;
  }
  QDialog::accept();
}

std::optional<QString> TActionsFixForm::EditActions(QWidget* parent, const QString& text) {
  TActionsFixForm form(parent);
  form.SetActions(text);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.Actions();
}

}  // namespace tavro::ui
