#include "ui/main/FindInWorldDock.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "area/Area.h"
#include "ui/common/TextConversion.h"
#include "ui/main/MainForm.h"
#include "ui/main/WorldCheckDock.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro::ui {

TFindInWorldDock::TFindInWorldDock(TMainForm* main_form)
    : QDockWidget(QStringLiteral("Find in World"), main_form), main_form_(main_form) {
  setObjectName(QStringLiteral("FindInWorldDock"));
  auto* body = new QWidget(this);
  auto* label = new QLabel(QStringLiteral("Fi&nd:"), body);
  FindEdit = new QLineEdit(body);
  FindEdit->setAccessibleName(QStringLiteral("Find:"));
  label->setBuddy(FindEdit);
  FindButton = new QPushButton(QStringLiteral("&Find"), body);
  Summary = new QLabel(body);
  Results = MakeRecordList(
      body, QStringLiteral("Results"),
      {QStringLiteral("Area"), QStringLiteral("Record"), QStringLiteral("Field"), QStringLiteral("Text")});

  auto* line = new QHBoxLayout;
  line->addWidget(label);
  line->addWidget(FindEdit, 1);
  line->addWidget(FindButton);
  line->addWidget(Summary);
  auto* layout = new QVBoxLayout(body);
  layout->addLayout(line);
  layout->addWidget(Results);
  setWidget(body);
  setFocusProxy(FindEdit);

  connect(FindEdit, &QLineEdit::returnPressed, this, &TFindInWorldDock::Find);
  connect(FindButton, &QPushButton::clicked, this, &TFindInWorldDock::Find);
  connect(Results, &QTreeWidget::itemActivated, this, &TFindInWorldDock::GoToItem);
}

void TFindInWorldDock::Start() {
  show();
  raise();
  FindEdit->setFocus();
  FindEdit->selectAll();
}

void TFindInWorldDock::Find() {
  const TWorld* world = main_form_->World();
  const std::string text = to_cp1251(FindEdit->text().trimmed());
  // One more than is shown tells whether there were more.
  hits_ = world ? find_in_world(*world->Areas, text, kMaxResults + 1) : std::vector<TFindHit>{};
  const bool more = hits_.size() > kMaxResults;
  if (more) hits_.pop_back();
  Summary->setText(more ? QStringLiteral("the first %1 found").arg(kMaxResults)
                        : QStringLiteral("%1 found").arg(hits_.size()));

  Results->clear();
  QList<QTreeWidgetItem*> items;
  for (size_t i = 0; i < hits_.size(); ++i) {
    const TFindHit& hit = hits_[i];
    items.append(
        MakeRecordItem({from_cp1251(area_file_label(*hit.Record.Area)), from_cp1251(record_label(hit.Record)),
                        from_cp1251(hit.Field), from_cp1251(hit.Line)},
                       i));
  }
  Results->addTopLevelItems(items);
  if (!items.isEmpty()) Results->setCurrentItem(items.front());
}

void TFindInWorldDock::GoToItem(QTreeWidgetItem* item) {
  const size_t i = RecordItemPosition(item);
  if (i < hits_.size()) GoToRecord(*main_form_, hits_[i].Record);
}

}  // namespace tavro::ui
