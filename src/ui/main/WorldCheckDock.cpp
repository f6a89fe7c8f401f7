#include "ui/main/WorldCheckDock.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "area/Area.h"
#include "area/Helps.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Rooms.h"
#include "ui/common/TextConversion.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/ParentForm.h"
#include "ui/main/AreaManageForm.h"
#include "ui/main/MainForm.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

TArea* loaded_area(const TWorld& world, const TArea* area) {
  const auto& items = world.Areas->Items;
  const auto it =
      std::find_if(items.begin(), items.end(), [area](const auto& item) { return item.get() == area; });
  return it == items.end() ? nullptr : it->get();
}

// Selects the entry of the record in the page's editor, when there is an editor and it lists the record.
void select_in_editor(TAreaManageForm& window, int page, const void* record) {
  TParentForm* editor = window.Editor(page);
  if (!editor || !record) return;
  for (int i = 0; i < editor->entry_count(); ++i) {
    if (editor->entry_object(i) == record) return editor->SelectItem(i);
  }
}

int page_of(TRecordKind kind) {
  switch (kind) {
    case TRecordKind::Room:
      return TMDIChild::MapPage;
    case TRecordKind::Reset:
      return TMDIChild::RoomsPage;
    case TRecordKind::Object:
      return TMDIChild::ObjectsPage;
    case TRecordKind::Help:
      return TMDIChild::HelpsPage;
    default:
      return TMDIChild::MobilesPage;
  }
}

const void* record_of(const TArea& area, const TRecordRef& record) {
  switch (record.Kind) {
    case TRecordKind::Object:
      return area.Objects->FindByVnum(record.Vnum);
    case TRecordKind::Mobile:
    case TRecordKind::Shop:
    case TRecordKind::RepairShop:
      return area.Mobiles->FindByVnum(record.Vnum);
    case TRecordKind::Help:
      return size_t(record.Index) < area.Helps->Items.size() ? area.Helps->Items[size_t(record.Index)].get()
                                                             : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

void GoToRecord(TMainForm& main_form, const TRecordRef& record) {
  TArea* area = main_form.World() ? loaded_area(*main_form.World(), record.Area) : nullptr;
  auto* window = area ? qobject_cast<TAreaManageForm*>(main_form.open_area_window(area)) : nullptr;
  if (!window) return;
  const int page = page_of(record.Kind);
  window->ShowPage(page);
  const bool on_map = record.Kind == TRecordKind::Room || record.Kind == TRecordKind::Reset;
  const int32_t room = on_map ? area->Rooms->IndexOfVnum(record.Vnum) : -1;
  if (room >= 0) {
    window->OpenRoomInArea(*area, room, true);
  } else {
    select_in_editor(*window, page, record_of(*area, record));
  }
  // The keyboard goes on where the record is shown.
  window->activateWindow();
  if (page == TMDIChild::MapPage) window->Map()->paint_box()->setFocus();
}

QTreeWidget* MakeRecordList(QWidget* parent, const QString& accessible_name, const QStringList& headers) {
  auto* list = new QTreeWidget(parent);
  list->setAccessibleName(accessible_name);
  list->setHeaderLabels(headers);
  list->setRootIsDecorated(false);
  list->setUniformRowHeights(true);
  list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list->header()->setStretchLastSection(true);
  return list;
}

QTreeWidgetItem* MakeRecordItem(const QStringList& texts, size_t position) {
  auto* item = new QTreeWidgetItem(texts);
  item->setData(0, Qt::UserRole, qulonglong(position));
  return item;
}

size_t RecordItemPosition(const QTreeWidgetItem* item) {
  return size_t(item->data(0, Qt::UserRole).toULongLong());
}

TWorldCheckDock::TWorldCheckDock(TMainForm* main_form)
    : QDockWidget(QStringLiteral("World Check"), main_form),
      main_form_(main_form),
      refresh_timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("WorldCheckDock"));
  auto* body = new QWidget(this);
  auto* filters = new QHBoxLayout;
  const char* const kCaptions[] = {"&Errors", "&Warnings", "&Notes"};
  for (size_t i = 0; i < SeverityShown.size(); ++i) {
    SeverityShown[i] = new QCheckBox(QString::fromLatin1(kCaptions[i]), body);
    SeverityShown[i]->setChecked(true);
    connect(SeverityShown[i], &QCheckBox::toggled, this, &TWorldCheckDock::Fill);
    filters->addWidget(SeverityShown[i]);
  }
  Summary = new QLabel(body);
  filters->addWidget(Summary, 1);
  CheckButton = new QPushButton(QStringLiteral("&Check Again"), body);
  connect(CheckButton, &QPushButton::clicked, this, &TWorldCheckDock::Refresh);
  filters->addWidget(CheckButton);

  List = MakeRecordList(body, QStringLiteral("Problems"),
                        {QStringLiteral("Severity"), QStringLiteral("Area"), QStringLiteral("Record"),
                         QStringLiteral("Problem")});
  connect(List, &QTreeWidget::itemActivated, this, &TWorldCheckDock::GoToItem);

  auto* layout = new QVBoxLayout(body);
  layout->addLayout(filters);
  layout->addWidget(List);
  setWidget(body);
  setFocusProxy(List);

  refresh_timer_->setSingleShot(true);
  refresh_timer_->setInterval(kRefreshDelayMs);
  connect(refresh_timer_, &QTimer::timeout, this, &TWorldCheckDock::Refresh);
  TWorldDocument& document = main_form->Document();
  connect(&document, &TWorldDocument::AreaChanged, this, &TWorldCheckDock::ScheduleRefresh);
  connect(&document, &TWorldDocument::ModifiedChanged, this, &TWorldCheckDock::ScheduleRefresh);
  // A hidden window is not kept up to date: it checks when it is shown.
  connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) Refresh();
  });
}

void TWorldCheckDock::ScheduleRefresh() {
  if (isVisible()) refresh_timer_->start();
}

void TWorldCheckDock::Refresh() {
  refresh_timer_->stop();
  const TWorld* world = main_form_->World();
  problems_ = world ? check_world(*world->Areas) : TWorldProblems{};
  Fill();
}

void TWorldCheckDock::Fill() {
  Summary->setText(QString::fromLatin1(summarize_problems(problems_)));

  const int row = List->currentIndex().row();
  List->clear();
  QList<QTreeWidgetItem*> items;
  for (size_t i = 0; i < problems_.size(); ++i) {
    const TWorldProblem& problem = problems_[i];
    if (!SeverityShown[size_t(problem.Severity)]->isChecked()) continue;
    items.append(MakeRecordItem({QString::fromLatin1(severity_name(problem.Severity)),
                                 from_cp1251(area_file_label(*problem.Record.Area)),
                                 from_cp1251(record_label(problem.Record)), from_cp1251(problem.Message)},
                                i));
  }
  List->addTopLevelItems(items);
  // The keyboard stays about where it was in a list that changed under it.
  if (row >= 0 && !items.isEmpty()) List->setCurrentItem(items[std::min<int>(row, int(items.size()) - 1)]);
}

void TWorldCheckDock::GoToItem(QTreeWidgetItem* item) {
  const size_t i = RecordItemPosition(item);
  if (i < problems_.size()) GoToRecord(*main_form_, problems_[i].Record);
}

}  // namespace tavro::ui
