#include "ui/main/GetAreaForm.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "area/Area.h"
#include "area/Header.h"
#include "ui/common/TextConversion.h"
#include "ui/main/MainForm.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

bool same_file_name(const std::string& a, const std::string& b) {
  return from_cp1251(a).compare(from_cp1251(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

TGetAreaForm::TGetAreaForm(TMainForm* main_form)
    : QDialog(main_form, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                             Qt::WindowCloseButtonHint),
      LBAreas(new QListWidget(this)),
      OkButton(new QPushButton(QStringLiteral("Ok"), this)),
      NewButton(new QPushButton(QStringLiteral("New"), this)),
      CancelButton(new QPushButton(QStringLiteral("Cancel"), this)),
      main_form_(main_form) {
  setWindowTitle(QStringLiteral("Select Area"));
  // Enter belongs to the list (it picks only with a selection), so no button takes it as default.
  for (QPushButton* button : {OkButton, NewButton, CancelButton})
    button->setAutoDefault(false);

  if (const TWorld* world = main_form->World()) {
    for (const std::string& name : world->AreaNames)
      LBAreas->addItem(from_cp1251(name));
  }
  LBAreas->sortItems();
  const bool has_names = LBAreas->count() > 0;
  if (has_names) LBAreas->setCurrentRow(0);
  LBAreas->setEnabled(has_names);
  OkButton->setEnabled(has_names);
  LBAreas->installEventFilter(this);

  connect(LBAreas, &QListWidget::itemDoubleClicked, this, [this] { OkClick(); });
  connect(OkButton, &QPushButton::clicked, this, &TGetAreaForm::OkClick);
  connect(NewButton, &QPushButton::clicked, this, &TGetAreaForm::NewClick);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(OkButton);
  buttons->addWidget(NewButton);
  buttons->addWidget(CancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LBAreas);
  layout->addLayout(buttons);
  resize(260, 360);
}

TArea* TGetAreaForm::FindArea(const TWorld& world, const std::string& name) {
  const auto& areas = world.Areas->Items;
  for (const auto& area : areas) {
    if (same_file_name(area->Header->FileName, name)) return area.get();
  }
  for (size_t i = 0; i < world.AreaNames.size(); ++i) {
    if (same_file_name(world.AreaNames[i], name)) return i < areas.size() ? areas[i].get() : nullptr;
  }
  return nullptr;
}

void TGetAreaForm::OkClick() {
  const QList<QListWidgetItem*> selected = LBAreas->selectedItems();
  if (selected.isEmpty() || !main_form_->World()) return;
  TArea* area = FindArea(*main_form_->World(), to_cp1251(selected.front()->text()));
  if (area) main_form_->open_area_window(area);
  accept();
}

void TGetAreaForm::NewClick() {
  main_form_->NewArea();
  accept();
}

bool TGetAreaForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LBAreas && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      OkClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tavro::ui
