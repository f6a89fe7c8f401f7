#include "ui/main/AreaManageForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Rooms.h"
#include "ui/common/WorldDocument.h"
#include "ui/editors/HelpEditForm.h"
#include "ui/editors/MobileEditForm.h"
#include "ui/editors/ObjectEditForm.h"
#include "ui/editors/ParentForm.h"
#include "ui/editors/RoomEditForm.h"
#include "ui/editors/StatsEditForm.h"
#include "ui/main/MainForm.h"
#include "ui/main/SelectSectorForm.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

struct PageInfo {
  const char* name;
  const char* caption;
  const char* no_editor;
};

constexpr std::array<PageInfo, TAreaManageForm::kPageCount> kPages = {{
    {"TSMap", "Map", ""},
    {"TSStats", "Stats", ""},
    {"TSHelps", "Helps", ""},
    {"TSRooms", "Rooms", "The room editor is not available in this build."},
    {"TSObjects", "Objects", "The object editor is not available in this build."},
    {"TSMobiles", "Mobiles", "The mobile editor is not available in this build."},
}};

std::array<TAreaManageForm::EditorFactory, TAreaManageForm::kPageCount>& editor_factories() {
  static std::array<TAreaManageForm::EditorFactory, TAreaManageForm::kPageCount> factories;
  return factories;
}

QVBoxLayout* flat_layout(QWidget* widget) {
  auto* layout = new QVBoxLayout(widget);
  layout->setContentsMargins(0, 0, 0, 0);
  return layout;
}

}  // namespace

void TAreaManageForm::set_editor_factory(int page, EditorFactory factory) {
  editor_factories().at(static_cast<size_t>(page)) = std::move(factory);
}

void TAreaManageForm::Install() {
  TMainForm::set_area_window_factory([](TMainForm* main_form) { return new TAreaManageForm(main_form); });
  set_editor_factory(StatsPage, [] { return std::make_unique<TStatsEditForm>(); });
  set_editor_factory(HelpsPage, [] { return std::make_unique<THelpEditForm>(); });
  set_editor_factory(RoomsPage, [] { return std::make_unique<TRoomEditForm>(); });
  set_editor_factory(ObjectsPage, [] { return std::make_unique<TObjectEditForm>(); });
  set_editor_factory(MobilesPage, [] { return std::make_unique<TMobileEditForm>(); });
}

TAreaManageForm::TAreaManageForm(TMainForm* main_form, QWidget* parent) : TMDIChild(main_form, parent) {
  FormCreate();
}

TAreaManageForm::~TAreaManageForm() = default;

void TAreaManageForm::FormCreate() {
  setObjectName(QStringLiteral("AreaManageForm"));
  AreaPages = new QTabWidget(this);
  AreaPages->setObjectName(QStringLiteral("AreaPages"));
  AreaPages->setTabPosition(QTabWidget::West);
  flat_layout(this)->addWidget(AreaPages);
  CreatePages();
  AreaPages->setCurrentIndex(MapPage);
  connect(AreaPages, &QTabWidget::currentChanged, this, &TAreaManageForm::AreaPagesChange);
  setFocusProxy(MapView->paint_box());
  qApp->installEventFilter(this);
  connect(&MainForm->Document(), &TWorldDocument::AreaChanged, this, &TAreaManageForm::FollowChange);
}

void TAreaManageForm::CreatePages() {
  for (int page = 0; page < kPageCount; ++page) {
    Pages[page] = new QWidget(AreaPages);
    Pages[page]->setObjectName(QString::fromLatin1(kPages[page].name));
    AreaPages->addTab(Pages[page], QString::fromLatin1(kPages[page].caption));
  }
  MapView = new TMapWidget(Pages[MapPage]);
  MapView->SetHost(this);
  flat_layout(Pages[MapPage])->addWidget(MapView);
  for (int page = StatsPage; page < kPageCount; ++page)
    CreateEditor(page);
}

void TAreaManageForm::CreateEditor(int page) {
  const EditorFactory& factory = editor_factories()[static_cast<size_t>(page)];
  if (factory) Editors[page] = factory();
  if (Editors[page]) {
    Editors[page]->EmbedInto(Pages[page]);
    return;
  }
  auto* note = new QLabel(QString::fromLatin1(kPages[page].no_editor), Pages[page]);
  note->setAlignment(Qt::AlignCenter);
  flat_layout(Pages[page])->addWidget(note);
}

TParentForm* TAreaManageForm::Editor(int page) const {
  if (page < 0 || page >= kPageCount) return nullptr;
  return Editors[static_cast<size_t>(page)].get();
}

void TAreaManageForm::SetArea(TArea* area) {
  TMDIChild::SetArea(area);
  if (area) {
    for (const auto& editor : Editors) {
      if (!editor) continue;
      editor->Document = &MainForm->Document();
      editor->BindArea(*area);
    }
  }
  MapView->SetRooms(area ? area->Rooms.get() : nullptr);
  // The map takes the keyboard as soon as the window shows.
  MapView->paint_box()->setFocus();
}

void TAreaManageForm::ShowPage(int page) {
  if (page >= 0 && page < kPageCount) AreaPages->setCurrentIndex(page);
}

void TAreaManageForm::AreaPagesChange(int page) {
  if (page != MapPage) return;
  MapView->AreaPagesChange();
  MapView->paint_box()->setFocus();
}

bool TAreaManageForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && FormKeyDown(watched, static_cast<QKeyEvent*>(event))) return true;
  // Ctrl with the numeric pad's + and - makes rooms up and down, even where a command's shortcut (Ctrl+=,
  // Ctrl+-) would match the key without the pad: the map's own keys come first.
  if (event->type() == QEvent::ShortcutOverride && MapHasKeys(watched)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (TMapWidget::IsMapKey(key->key(), key->modifiers())) {
      event->accept();
      return true;
    }
  }
  return TMDIChild::eventFilter(watched, event);
}

bool TAreaManageForm::MapHasKeys(QObject* watched) const {
  if (AreaPages->currentIndex() != MapPage) return false;
  auto* target = qobject_cast<QWidget*>(watched);
  // The focus widget of the frame, which also receives the keys when the frame is not the active window.
  return target && target == window()->focusWidget() && isAncestorOf(target);
}

// The map's keys, seen before the focused control of this window while the map page is shown. A key
// travels up through the parents of the focused control; it is looked at once, where it starts.
bool TAreaManageForm::FormKeyDown(QObject* watched, QKeyEvent* event) {
  return MapHasKeys(watched) && MapView->FormKeyDown(event->key(), event->modifiers());
}

void TAreaManageForm::closeEvent(QCloseEvent* event) {
  TMDIChild::closeEvent(event);
  if (!event->isAccepted()) return;
  for (const auto& editor : Editors)
    if (editor) editor->FormClose();
}

bool TAreaManageForm::ApplyPendingEdits() {
  return std::all_of(Editors.begin(), Editors.end(),
                     [](const auto& editor) { return !editor || editor->ApplyPending(); });
}

void TAreaManageForm::FollowChange(TArea* area, uint32_t scope) {
  if (area != Area) {
    if (scope & kRoomsChanged) MapView->OtherAreasChanged();
    return;
  }
  if (scope & kRoomsChanged) MapView->RoomsChanged((scope & kRoomsLaidOut) != 0);
  for (const auto& editor : Editors)
    if (editor) editor->AreaChanged(scope);
}

void TAreaManageForm::MapEdited(std::unique_ptr<TChange> change, const QString& text) {
  MainForm->Document().Push(std::move(change), text);
}

void TAreaManageForm::ShowRoomInEditor(int32_t index) {
  TParentForm* editor = RoomEditor();
  if (!editor) return;
  editor->select_entry(index);
  editor->ShowEntry(index);
}

// The windows of the areas a removal repaired come forward, so that the builder sees them and can save
// them.
void TAreaManageForm::ShowAreas(const std::vector<TArea*>& areas) {
  for (TArea* area : areas)
    MainForm->open_area_window(area);
}

void TAreaManageForm::ShowRoomsPage() {
  ShowPage(RoomsPage);
}

bool TAreaManageForm::AnalyzeHotKeys(int key, Qt::KeyboardModifiers modifiers) {
  return MainForm && MainForm->AnalyzeHotKeys(key, modifiers);
}

void TAreaManageForm::ShowMapHelp() {
  if (MainForm) MainForm->ShowHelp(QStringLiteral("MAP_INFO"));
}

std::optional<int32_t> TAreaManageForm::ChooseSector(int32_t current) {
  const TWorld* world = Area ? Area->world() : nullptr;
  if (!world || !MainForm) return std::nullopt;
  TSelectSectorForm& picker = MainForm->SelectSectorForm();
  picker.SetSectorNames(world->SectorTypes);
  picker.SetColors(world->SectorColors);
  picker.SetSelected(current);
  if (picker.exec() != QDialog::Accepted) return std::nullopt;
  return picker.Selected;
}

void TAreaManageForm::GoToRoom(int32_t index) {
  ShowPage(MapPage);
  MapView->SelectRoom(index);
  ShowRoomInEditor(index);
  MapView->RefreshView();
  MapView->paint_box()->setFocus();
}

void TAreaManageForm::OpenRoomInArea(TArea& area, int32_t room_index, bool select_in_editor) {
  if (!MainForm) return;
  auto* window = qobject_cast<TAreaManageForm*>(MainForm->open_area_window(&area));
  if (!window) return;
  window->MapView->SelectRoom(room_index);
  if (select_in_editor) window->ShowRoomInEditor(room_index);
  window->MapView->RefreshView();
}

}  // namespace tavro::ui
