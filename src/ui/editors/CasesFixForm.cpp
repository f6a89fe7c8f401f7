#include "ui/editors/CasesFixForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "reading/Cases.h"
#include "ui/common/DialogService.h"
#include "ui/common/TextConversion.h"

namespace tavro::ui {

TCasesFixForm::TCasesFixForm(QWidget* parent)
    : QDialog(parent),
      Label1(new QLabel(this)),
      Label2(new QLabel(this)),
      Label3(new QLabel(this)),
      Label4(new QLabel(this)),
      Label5(new QLabel(this)),
      Label6(new QLabel(this)),
      Edit1(new QLineEdit(this)),
      Edit2(new QLineEdit(this)),
      Edit3(new QLineEdit(this)),
      Edit4(new QLineEdit(this)),
      Edit5(new QLineEdit(this)),
      Edit6(new QLineEdit(this)),
      Button1(new QPushButton(QStringLiteral("OK"), this)),
      Button2(new QPushButton(QStringLiteral("Cancel"), this)),
      labels_{Label1, Label2, Label3, Label4, Label5, Label6},
      edits_{Edit1, Edit2, Edit3, Edit4, Edit5, Edit6} {
  FormCreate();
}

void TCasesFixForm::FormCreate() {
  setWindowTitle(QStringLiteral("Cases Fix"));
  const std::array<QString, 6> captions = {
      QStringLiteral("Именительный (кто, что)"), QStringLiteral("Родительный (кого, чего)"),
      QStringLiteral("Дательный (кому, чему)"),  QStringLiteral("Винительный (кого, что)"),
      QStringLiteral("Творительный (кем, чем)"), QStringLiteral("Предложный (о ком, о чем)")};
  auto* grid = new QGridLayout;
  for (size_t i = 0; i < captions.size(); ++i) {
    labels_[i]->setText(captions[i]);
    labels_[i]->setBuddy(edits_[i]);
    edits_[i]->setAccessibleName(captions[i]);
    edits_[i]->setMinimumWidth(240);
    grid->addWidget(labels_[i], static_cast<int>(i), 0);
    grid->addWidget(edits_[i], static_cast<int>(i), 1);
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
  connect(Button1, &QPushButton::clicked, this, &TCasesFixForm::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  // The fields were created first, so the focus runs down them and on to the buttons.
  Edit1->setFocus();
}

void TCasesFixForm::SetCaseSet(const QString& set) {
  const std::string text = to_cp1251(set.trimmed());
  for (size_t i = 0; i < edits_.size(); ++i)
    edits_[i]->setText(from_cp1251(decode_case(text, static_cast<int>(i) + 1)));
}

QString TCasesFixForm::CaseSet() const {
  return from_cp1251(encode_cases(Forms()));
}

std::array<std::string, 6> TCasesFixForm::Forms() const {
  std::array<std::string, 6> forms;
  for (size_t i = 0; i < edits_.size(); ++i)
    forms[i] = to_cp1251(edits_[i]->text().trimmed());
  return forms;
}

void TCasesFixForm::accept() {
  const std::array<std::string, 6> forms = Forms();
  const int lost = case_not_kept(forms);
  if (lost == 0) {
    QDialog::accept();
    return;
  }
  const size_t i = static_cast<size_t>(lost - 1);
  const std::string kept = decode_case(encode_cases(forms), lost);
  DialogService::instance().message(
      this, windowTitle(),
      QStringLiteral("%1: \"%2\" would be stored as \"%3\".\nA form may not hold ':', and all six forms need "
                     "the same spaces and hyphens between their words.")
          .arg(labels_[i]->text(), from_cp1251(forms[i]), from_cp1251(kept)),
      DialogIcon::Warning);
  edits_[i]->setFocus();
  edits_[i]->selectAll();
}

std::optional<QString> TCasesFixForm::EditCaseSet(QWidget* parent, const QString& set) {
  TCasesFixForm form(parent);
  form.SetCaseSet(set);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.CaseSet();
}

}  // namespace tavro::ui
