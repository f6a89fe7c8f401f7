#include "ui/main/ViewCommands.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolBar>

#include "area/Area.h"
#include "area/Rooms.h"
#include "ui/common/DialogService.h"
#include "ui/main/AreaManageForm.h"
#include "ui/main/MainForm.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

QAction* make_action(QObject* owner, const char* name, const QString& caption, const QString& hint,
                     const QList<QKeySequence>& shortcuts) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcuts(shortcuts);
  action->setStatusTip(hint);
  action->setToolTip(
      QStringLiteral("%1 (%2)").arg(QString(caption).remove(u'&').remove(QStringLiteral("...")),
                                    shortcuts.front().toString(QKeySequence::NativeText)));
  return action;
}

}  // namespace

TGoToRoomForm::TGoToRoomForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("GoToRoomForm"));
  setWindowTitle(QStringLiteral("Go To Room"));
  edVnum = new QLineEdit(this);
  edVnum->setObjectName(QStringLiteral("edVnum"));
  auto* label = new QLabel(QStringLiteral("&Vnum:"), this);
  label->setBuddy(edVnum);
  edVnum->setAccessibleName(QStringLiteral("Vnum:"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow(label, edVnum);
  form->addRow(buttons);
}

TViewCommands::TViewCommands(TMainForm* main_form) : QObject(main_form), MainForm(main_form) {
  setObjectName(QStringLiteral("ViewCommands"));
  // Keys a laptop has that no other command and no key of the map uses.
  acLevelUp = make_action(this, "acLevelUp", QStringLiteral("Level &Up"),
                          QStringLiteral("Show the level above"), {QKeySequence(Qt::ALT | Qt::Key_Up)});
  acLevelDown = make_action(this, "acLevelDown", QStringLiteral("Level &Down"),
                            QStringLiteral("Show the level below"), {QKeySequence(Qt::ALT | Qt::Key_Down)});
  acZoomIn = make_action(this, "acZoomIn", QStringLiteral("Zoom &In"), QStringLiteral("Show the map larger"),
                         {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
  acZoomOut = make_action(this, "acZoomOut", QStringLiteral("Zoom &Out"),
                          QStringLiteral("Show the map smaller"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
  acGoToRoom = make_action(this, "acGoToRoom", QStringLiteral("&Go To Room..."),
                           QStringLiteral("Show a room of any loaded area on its map"),
                           {QKeySequence(Qt::CTRL | Qt::Key_G)});
  const auto on_map = [this](void (TMapWidget::*command)()) {
    return [this, command] {
      if (TAreaManageForm* window = ActiveMap()) {
        (window->Map()->*command)();
        window->Map()->RefreshView();
      }
    };
  };
  connect(acLevelUp, &QAction::triggered, this, on_map(&TMapWidget::LevelUp));
  connect(acLevelDown, &QAction::triggered, this, on_map(&TMapWidget::LevelDown));
  connect(acZoomIn, &QAction::triggered, this, on_map(&TMapWidget::ZoomIn));
  connect(acZoomOut, &QAction::triggered, this, on_map(&TMapWidget::ZoomOut));
  connect(acGoToRoom, &QAction::triggered, this, &TViewCommands::AskForRoom);

  const QList<QAction*> actions = {acLevelUp, acLevelDown, acZoomIn, acZoomOut, acGoToRoom};
  auto* menu = new QMenu(QStringLiteral("&View"), main_form);
  menu->setObjectName(QStringLiteral("ViewMenu"));
  menu->menuAction()->setStatusTip(QStringLiteral("Map view commands"));
  menu->addActions({acLevelUp, acLevelDown});
  menu->addSeparator();
  menu->addActions({acZoomIn, acZoomOut});
  menu->addSeparator();
  menu->addAction(acGoToRoom);
  main_form->menuBar()->insertMenu(main_form->AreaMenu->menuAction(), menu);
  QToolBar* bar = main_form->addToolBar(QStringLiteral("View"));
  bar->setObjectName(QStringLiteral("ViewToolBar"));
  bar->addActions(actions);
  connect(main_form->MdiArea, &QMdiArea::subWindowActivated, this, &TViewCommands::UpdateCommands);
  UpdateCommands();
}

TAreaManageForm* TViewCommands::ActiveMap() const {
  auto* window = qobject_cast<TAreaManageForm*>(MainForm->ActiveAreaWindow());
  return window && window->AreaPages->currentIndex() == TMDIChild::MapPage ? window : nullptr;
}

void TViewCommands::UpdateCommands() {
  disconnect(PageWatch);
  if (auto* window = qobject_cast<TAreaManageForm*>(MainForm->ActiveAreaWindow()))
    PageWatch = connect(window->AreaPages, &QTabWidget::currentChanged, this, &TViewCommands::UpdateCommands);
  const bool map_shown = ActiveMap() != nullptr;
  for (QAction* action : {acLevelUp, acLevelDown, acZoomIn, acZoomOut})
    action->setEnabled(map_shown);
}

void TViewCommands::AskForRoom() {
  TGoToRoomForm form(MainForm);
  if (form.exec() != QDialog::Accepted) return;
  bool ok = false;
  const int32_t vnum = form.edVnum->text().trimmed().toInt(&ok);
  if (!ok) {
    DialogService::instance().message(MainForm, QStringLiteral("Go To Room"),
                                      QStringLiteral("\"%1\" is not a vnum.").arg(form.edVnum->text()),
                                      DialogIcon::Warning);
    return;
  }
  GoToRoom(vnum);
}

bool TViewCommands::GoToRoom(int32_t vnum) {
  const TWorld* world = MainForm->World();
  std::vector<TArea*> areas;
  if (TMDIChild* active = MainForm->ActiveAreaWindow(); active && active->Area) areas.push_back(active->Area);
  if (world && world->Areas)
    for (const auto& area : world->Areas->Items)
      areas.push_back(area.get());
  for (TArea* area : areas) {
    const auto& rooms = area->Rooms->Items;
    const auto found =
        std::find_if(rooms.begin(), rooms.end(), [vnum](const auto& room) { return room->Vnum == vnum; });
    if (found == rooms.end()) continue;
    auto* window = qobject_cast<TAreaManageForm*>(MainForm->open_area_window(area));
    if (window) window->GoToRoom(static_cast<int32_t>(found - rooms.begin()));
    return window != nullptr;
  }
  DialogService::instance().message(MainForm, QStringLiteral("Go To Room"),
                                    QStringLiteral("No loaded area has room %1.").arg(vnum),
                                    DialogIcon::Warning);
  return false;
}

}  // namespace tavro::ui
