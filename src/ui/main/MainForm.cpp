#include "ui/main/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <algorithm>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "reading/Error.h"
#include "reading/Paths.h"
#include "ui/common/DialogService.h"
#include "ui/common/TextConversion.h"
#include "ui/common/WorldDocument.h"
#include "ui/main/AboutBox.h"
#include "ui/main/AutoSave.h"
#include "ui/main/FindInWorldDock.h"
#include "ui/main/GetAreaForm.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/LoadAreasForm.h"
#include "ui/main/MDIChild.h"
#include "ui/main/SectorColorsForm.h"
#include "ui/main/SelectSectorForm.h"
#include "ui/main/SessionStore.h"
#include "ui/main/ViewCommands.h"
#include "ui/main/WorldCheckDock.h"
#include "world/Areas.h"
#include "world/IniFile.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

const QString kCaption = QStringLiteral("Tavro Editor");
const QString kAreaFilter = QStringLiteral("Area file (*.are)|*.are");
const QString kAreasListFilter = QStringLiteral("Areas List file (*.lst)|*.lst");
const QString kNewAreaFile = QStringLiteral("NewArea.are");

// File names reach the core as the file system's bytes.
std::string to_path(const QString& path) {
  return QFile::encodeName(path).toStdString();
}
QString from_path(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

QString error_text(const std::exception& e) {
  return from_cp1251(e.what());
}

TMDIChild* make_plain_area_window(TMainForm* main_form) {
  return new TMDIChild(main_form);
}

TMainForm::AreaWindowFactory& area_window_factory() {
  static TMainForm::AreaWindowFactory factory = make_plain_area_window;
  return factory;
}

// "Name (file)" for questions about an area.
QString area_label(const TArea& area) {
  const QString name = from_cp1251(area.Header->Name);
  const QString file = from_path(area.Header->FileName);
  if (file.isEmpty()) return QStringLiteral("\"%1\" (not saved yet)").arg(name);
  return QStringLiteral("\"%1\" (%2)").arg(name, file);
}

}  // namespace

void TMainForm::set_area_window_factory(AreaWindowFactory factory) {
  area_window_factory() = factory ? std::move(factory) : AreaWindowFactory(make_plain_area_window);
}

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent),
      MdiArea(new QMdiArea(this)),
      document_(new TWorldDocument(this)),
      select_sector_(new TSelectSectorForm(this)),
      auto_save_(new TAutoSave(this)) {
  setWindowTitle(kCaption);
  setCentralWidget(MdiArea);
  CreateActions();
  CreateWorldDocks();
  CreateMenus();
  CreateToolBar();
  new TViewCommands(this);
  statusBar();
  connect(MdiArea, &QMdiArea::subWindowActivated, this, [this] { UpdateAreaCommands(); });
  UpdateAreaCommands();
  resize(1200, 800);
}

TMainForm::~TMainForm() {
  // The area windows refer to the world's areas: they go before the world does.
  closing_confirmed_ = true;
  for (QMdiSubWindow* sub : MdiArea->subWindowList())
    delete sub;
}

// ---- Commands ---------------------------------------------------------------------------------------

namespace {

// hint: the short part (tool tip), '|', the long part (status bar); without '|' both are the same.
QAction* make_action(QObject* owner, const char* caption, const char* hint,
                     const QKeySequence& shortcut = QKeySequence()) {
  auto* action = new QAction(QString::fromUtf8(caption), owner);
  const QStringList parts = QString::fromUtf8(hint).split(u'|');
  if (!parts.front().isEmpty()) action->setToolTip(parts.front());
  action->setStatusTip(parts.back());
  action->setShortcut(shortcut);
  return action;
}

}  // namespace

void TMainForm::CreateActions() {
  FileNew1 = make_action(this, "&New Area", "New|Create a new area", QKeySequence(Qt::CTRL | Qt::Key_N));
  FileOpen1 = make_action(this, "&Open Area", "Open|Open an area", QKeySequence(Qt::CTRL | Qt::Key_O));
  FileGetFromList1 =
      make_action(this, "&Get Area", "Get|Get area from world area list", QKeySequence(Qt::CTRL | Qt::Key_L));
  FileSave1 = make_action(this, "&Save Area", "Save|Save current area", QKeySequence(Qt::CTRL | Qt::Key_S));
  FileSaveAs1 = make_action(this, "Save Area &As...", "Save As|Save current area with different name");
  FileSaveAll1 = make_action(this, "Save A&ll Areas", "Save All|Save every area with unsaved changes");
  FileClose1 = make_action(this, "&Close Area", "Close|Close current file");
  FileCloseAll1 = make_action(this, "Clos&e All Areas ", "");
  FileExit1 = make_action(this, "E&xit", "Exit|Exit application");
  EditUndo1 = document_->UndoStack()->createUndoAction(this, QStringLiteral("&Undo"));
  EditUndo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  EditUndo1->setStatusTip(QStringLiteral("Takes back the last change"));
  EditRedo1 = document_->UndoStack()->createRedoAction(this, QStringLiteral("&Redo"));
  EditRedo1->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  EditRedo1->setStatusTip(QStringLiteral("Makes the change taken back again"));
  EditCut1 = make_action(this, "Cu&t", "Cut|Cuts the selection and puts it on the Clipboard",
                         QKeySequence(Qt::CTRL | Qt::Key_X));
  EditCopy1 = make_action(this, "&Copy", "Copy|Copies the selection and puts it on the Clipboard",
                          QKeySequence(Qt::CTRL | Qt::Key_C));
  EditPaste1 =
      make_action(this, "&Paste", "Paste|Inserts Clipboard contents", QKeySequence(Qt::CTRL | Qt::Key_V));
  acSectorColors = make_action(this, "Sector Colors", "");
  ShowAreaInfo = make_action(this, "Info", "");
  ShowAreaHelps = make_action(this, "Helps", "");
  WindowCascade1 = make_action(this, "&Cascade", "Cascade");
  WindowTileHorizontal1 = make_action(this, "Tile &Horizontally", "Tile Horizontally");
  WindowTileVertical1 = make_action(this, "Tile &Vertically", "Tile Vertically");
  WindowMinimizeAll1 = make_action(this, "&Minimize All", "Minimize All");
  WindowArrangeAll1 = make_action(this, "&Arrange All", "Arrange All");
  HelpContents1 = make_action(this, "&Help", "Help|The map's keys and the editor's commands");
  HelpAbout1 =
      make_action(this, "&About...", "About|Displays program information, version number, and copyright");
  acShowMap = make_action(this, "Mp", "Show Map", QKeySequence(Qt::CTRL | Qt::Key_1));
  acShowStats = make_action(this, "S", "Show Stats", QKeySequence(Qt::CTRL | Qt::Key_2));
  acShowHelps = make_action(this, "H", "Show Helps", QKeySequence(Qt::CTRL | Qt::Key_3));
  acShowRooms = make_action(this, "R", "Show Rooms", QKeySequence(Qt::CTRL | Qt::Key_4));
  acShowObjects = make_action(this, "O", "Show Objects", QKeySequence(Qt::CTRL | Qt::Key_5));
  acShowMobiles = make_action(this, "Mo", "Show Mobiles", QKeySequence(Qt::CTRL | Qt::Key_6));

  // Commands without a handler stay disabled.
  for (QAction* idle : {FileOpen1, FileCloseAll1, ShowAreaInfo})
    idle->setEnabled(false);

  QStyle* style = this->style();
  FileNew1->setIcon(style->standardIcon(QStyle::SP_FileIcon));
  FileGetFromList1->setIcon(style->standardIcon(QStyle::SP_DirOpenIcon));
  FileOpen1->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
  FileSave1->setIcon(style->standardIcon(QStyle::SP_DialogSaveButton));

  connect(FileNew1, &QAction::triggered, this, [this] { NewArea(); });
  connect(FileGetFromList1, &QAction::triggered, this, &TMainForm::GetArea);
  connect(FileSave1, &QAction::triggered, this, [this] {
    if (TMDIChild* child = ActiveAreaWindow()) SaveArea(child->Area);
  });
  connect(FileSaveAs1, &QAction::triggered, this, [this] {
    if (TMDIChild* child = ActiveAreaWindow()) SaveAreaAs(child->Area);
  });
  connect(FileSaveAll1, &QAction::triggered, this, [this] { SaveAllAreas(); });
  connect(FileClose1, &QAction::triggered, this, [this] {
    if (QMdiSubWindow* sub = MdiArea->currentSubWindow()) sub->close();
  });
  connect(FileExit1, &QAction::triggered, this, &QWidget::close);

  // The clipboard commands act on whatever text field has the focus.
  const auto on_focus = [](const char* method) {
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused->metaObject()->indexOfMethod(QMetaObject::normalizedSignature(method)) >= 0) {
      const QByteArray name = QByteArray(method).chopped(2);
      QMetaObject::invokeMethod(focused, name.constData());
    }
  };
  connect(EditCut1, &QAction::triggered, this, [on_focus] { on_focus("cut()"); });
  connect(EditCopy1, &QAction::triggered, this, [on_focus] { on_focus("copy()"); });
  connect(EditPaste1, &QAction::triggered, this, [on_focus] { on_focus("paste()"); });
  connect(acSectorColors, &QAction::triggered, this, &TMainForm::SectorColors);
  connect(ShowAreaHelps, &QAction::triggered, this, [this] { ShowPageOfActiveWindow(TMDIChild::HelpsPage); });

  connect(WindowCascade1, &QAction::triggered, MdiArea, &QMdiArea::cascadeSubWindows);
  connect(WindowTileHorizontal1, &QAction::triggered, this, [this] { TileSubWindows(Qt::Vertical); });
  connect(WindowTileVertical1, &QAction::triggered, this, [this] { TileSubWindows(Qt::Horizontal); });
  connect(WindowMinimizeAll1, &QAction::triggered, this, [this] {
    for (QMdiSubWindow* sub : MdiArea->subWindowList())
      sub->showMinimized();
  });
  connect(WindowArrangeAll1, &QAction::triggered, this, &TMainForm::ArrangeMinimized);

  connect(HelpContents1, &QAction::triggered, this, [this] { ShowHelp(QStringLiteral("MAP_INFO")); });
  connect(HelpAbout1, &QAction::triggered, this, &TMainForm::About);

  const QList<QAction*> pages = PageActions();
  for (int page = 0; page < pages.size(); ++page) {
    connect(pages[page], &QAction::triggered, this, [this, page] { ShowPageOfActiveWindow(page); });
  }
}

void TMainForm::CreateWorldDocks() {
  WorldCheck = new TWorldCheckDock(this);
  FindInWorld = new TFindInWorldDock(this);
  addDockWidget(Qt::BottomDockWidgetArea, WorldCheck);
  tabifyDockWidget(WorldCheck, FindInWorld);
  WorldCheck->hide();
  FindInWorld->hide();
  acWorldCheck = WorldCheck->toggleViewAction();
  acWorldCheck->setText(QStringLiteral("World &Check"));
  acWorldCheck->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
  acWorldCheck->setStatusTip(QStringLiteral("Shows the problems of the loaded world"));
  acFindInWorld =
      make_action(this, "&Find in World...", "Find in World|Finds a text or a vnum in every loaded area",
                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
  connect(acFindInWorld, &QAction::triggered, FindInWorld, &TFindInWorldDock::Start);
}

QList<QAction*> TMainForm::PageActions() const {
  return {acShowMap, acShowStats, acShowHelps, acShowRooms, acShowObjects, acShowMobiles};
}

void TMainForm::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->menuAction()->setStatusTip(QStringLiteral("File related commands"));
  file->addActions({FileNew1, FileOpen1, FileGetFromList1});
  file->addSeparator();
  file->addActions({FileSave1, FileSaveAs1, FileSaveAll1});
  file->addSeparator();
  file->addActions({FileClose1, FileCloseAll1});
  file->addSeparator();
  file->addAction(FileExit1);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->menuAction()->setStatusTip(QStringLiteral("Edit commands"));
  edit->addActions({EditUndo1, EditRedo1});
  edit->addSeparator();
  edit->addActions({EditCut1, EditCopy1, EditPaste1});
  edit->addSeparator();
  edit->addActions({acFindInWorld, acWorldCheck});
  edit->addSeparator();
  edit->addAction(acSectorColors);

  AreaMenu = menuBar()->addMenu(QStringLiteral("Area"));
  AreaMenu->addActions({ShowAreaInfo, ShowAreaHelps});

  QMenu* window = menuBar()->addMenu(QStringLiteral("&Window"));
  window->menuAction()->setStatusTip(QStringLiteral("Window related commands"));
  connect(window, &QMenu::aboutToShow, this, [this, window] { FillWindowMenu(window); });
  FillWindowMenu(window);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->menuAction()->setStatusTip(QStringLiteral("Help topics"));
  help->addAction(HelpContents1);
  help->addSeparator();
  help->addAction(HelpAbout1);
}

void TMainForm::FillWindowMenu(QMenu* menu) {
  menu->clear();
  menu->addActions(
      {WindowCascade1, WindowTileHorizontal1, WindowTileVertical1, WindowMinimizeAll1, WindowArrangeAll1});
  const QList<QMdiSubWindow*> subs = MdiArea->subWindowList();
  if (subs.isEmpty()) return;
  menu->addSeparator();
  for (int i = 0; i < subs.size(); ++i) {
    QMdiSubWindow* sub = subs[i];
    QAction* item = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(sub->windowTitle()));
    item->setCheckable(true);
    item->setChecked(sub == MdiArea->currentSubWindow());
    connect(item, &QAction::triggered, this, [this, sub] { MdiArea->setActiveSubWindow(sub); });
  }
}

void TMainForm::CreateToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Main"));
  bar->setObjectName(QStringLiteral("MainToolBar"));
  bar->setToolButtonStyle(Qt::ToolButtonFollowStyle);
  bar->addActions({FileNew1, FileGetFromList1, FileOpen1, FileSave1});
  bar->addSeparator();
  bar->addActions({EditCut1, EditCopy1, EditPaste1});
  bar->addSeparator();
  bar->addActions({WindowCascade1, WindowTileHorizontal1, WindowTileVertical1});
  bar->addSeparator();
  bar->addActions(PageActions());
}

void TMainForm::UpdateAreaCommands() {
  const bool has_area_window = ActiveAreaWindow() != nullptr;
  AreaMenu->menuAction()->setVisible(has_area_window);
  for (QAction* action : {FileSave1, FileSaveAs1, FileSaveAll1})
    action->setEnabled(has_area_window);
  for (QAction* action : PageActions())
    action->setEnabled(has_area_window);
}

void TMainForm::ShowPageOfActiveWindow(int page) {
  if (TMDIChild* child = ActiveAreaWindow()) child->ShowPage(page);
}

bool TMainForm::AnalyzeHotKeys(int key, Qt::KeyboardModifiers modifiers) {
  if (modifiers != Qt::ControlModifier || key < Qt::Key_1 || key > Qt::Key_6) return false;
  ShowPageOfActiveWindow(key - Qt::Key_1);
  return true;
}

void TMainForm::TileSubWindows(Qt::Orientation stacking) {
  QList<QMdiSubWindow*> subs;
  for (QMdiSubWindow* sub : MdiArea->subWindowList()) {
    if (!sub->isMinimized()) subs << sub;
  }
  if (subs.isEmpty()) return;
  const QRect area = MdiArea->viewport()->rect();
  const int count = int(subs.size());
  for (int i = 0; i < count; ++i) {
    subs[i]->showNormal();
    if (stacking == Qt::Vertical) {
      const int top = area.height() * i / count, bottom = area.height() * (i + 1) / count;
      subs[i]->setGeometry(0, top, area.width(), bottom - top);
    } else {
      const int left = area.width() * i / count, right = area.width() * (i + 1) / count;
      subs[i]->setGeometry(left, 0, right - left, area.height());
    }
  }
}

void TMainForm::ArrangeMinimized() {
  const QRect area = MdiArea->viewport()->rect();
  int left = 0;
  for (QMdiSubWindow* sub : MdiArea->subWindowList()) {
    if (!sub->isMinimized()) continue;
    const QSize size = sub->size();
    sub->move(left, area.height() - size.height());
    left += size.width();
  }
}

// ---- Start-up ---------------------------------------------------------------------------------------

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (started_ || !StartUpOnShow) return;
  started_ = true;
  // After the window is on screen, so that the dialogs have a parent to stand on.
  QTimer::singleShot(0, this, [this] {
    if (StartUp()) return;
    closing_confirmed_ = true;
    close();
    QCoreApplication::quit();
  });
}

QString TMainForm::ProposedAreasList() const {
  const TIniFile ini(join_path(to_path(StartDir), "TavroEd.ini"));
  std::string proposed = ini.ReadString("MudFiles", "Path", "");
  if (!proposed.empty()) proposed += '\\';
  proposed += ini.ReadString("MudFiles", "Areas", "area\\area.lst");
  const QString path = from_path(join_path(to_path(StartDir), proposed));
  if (QFileInfo::exists(path)) return path;
  // The settings point nowhere (no settings yet): offer the world beside the program.
  return from_path(join_path(to_path(StartDir), "mud\\area\\area.lst"));
}

bool TMainForm::StartUp() {
  started_ = true;
  UpdateAreaCommands();
  StartDir = QDir::currentPath();
  const QString picked = DialogService::instance().open_file(this, QStringLiteral("Open Areas List"),
                                                             ProposedAreasList(), kAreasListFilter);
  // The areas list lies in the server's "area" folder: the root is the folder above the list's folder.
  const QString mud_folder = picked.isEmpty() ? from_path(join_path(to_path(StartDir), "mud"))
                                              : QFileInfo(QFileInfo(picked).absolutePath()).absolutePath();
  const bool first_start = !HasSession(*this);
  if (!LoadWorld(mud_folder)) return false;
  // A newcomer's first start: the area picker opens by itself.
  if (first_start && AreaWindows().empty())
    QTimer::singleShot(0, this, [this] { FileGetFromList1->trigger(); });
  return true;
}

bool TMainForm::LoadWorld(const QString& mud_folder) {
  if (StartDir.isEmpty()) StartDir = QDir::currentPath();
  try {
    world_ = std::make_unique<TWorld>(to_path(StartDir), to_path(mud_folder));
  } catch (const std::exception& e) {
    DialogService::instance().message(this, kCaption, error_text(e), DialogIcon::Error);
    return false;
  }
  if (!world_->AreasListError.empty()) {
    DialogService::instance().message(this, QStringLiteral("Tavro Ed"), from_cp1251(world_->AreasListError),
                                      DialogIcon::Error);
  }
  const bool loaded = LoadAreas();
  if (loaded) RestoreSession(*this, auto_save_->Start());
  UpdateAreaCommands();
  // The start dialog and the loading window had the focus: the keyboard belongs to the editor again.
  activateWindow();
  return loaded;
}

bool TMainForm::LoadAreas() {
  TLoadAreasForm progress(this);
  std::vector<std::string>& names = world_->AreaNames;
  progress.Start(int(names.size()));
  progress.show();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  for (size_t i = 0; i < names.size();) {
    progress.ShowArea(int(i) + 1, from_path(names[i]));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    try {
      world_->load_single_area(resolve_path_case(join_path(world_->MudPath, "area\\" + names[i])));
      ++i;
    } catch (const std::exception& e) {
      const DialogAnswer answer =
          DialogService::instance().question(this, kCaption, error_text(e) + QStringLiteral("\r\nContinue?"),
                                             DialogButtons::YesNo, DialogIcon::Question);
      if (answer != DialogAnswer::Yes) {
        GiveUpLoading();
        return false;
      }
      // The next name moves into this position.
      names.erase(names.begin() + std::ptrdiff_t(i));
    }
  }
  return true;
}

void TMainForm::GiveUpLoading() {
  try {
    world_->Areas->Items.clear();
  } catch (...) {
    // The program ends anyway; nothing is left to do with an area that cannot be released.
  }
}

// ---- Areas and their windows ------------------------------------------------------------------------

TMDIChild* TMainForm::NewArea() {
  if (!world_) return nullptr;
  auto area = std::make_unique<TArea>(world_->Areas.get());
  TArea* created = area.get();
  world_->Areas->Items.push_back(std::move(area));
  return open_area_window(created);
}

TMDIChild* TMainForm::open_area_window(int position) {
  if (!world_ || position < 0 || size_t(position) >= world_->Areas->Items.size()) return nullptr;
  return open_area_window(world_->Areas->Items[size_t(position)].get());
}

TMDIChild* TMainForm::open_area_window(TArea* area) {
  if (!area) return nullptr;
  if (QMdiSubWindow* sub = SubWindowOf(area)) {
    if (sub->isMinimized()) sub->showNormal();
    MdiArea->setActiveSubWindow(sub);
    return qobject_cast<TMDIChild*>(sub->widget());
  }
  TMDIChild* child = area_window_factory()(this);
  QMdiSubWindow* sub = MdiArea->addSubWindow(child);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  // The menu state follows the windows that are left once this one is gone.
  connect(sub, &QObject::destroyed, this,
          [this] { QTimer::singleShot(0, this, &TMainForm::UpdateAreaCommands); });
  child->SetArea(area);
  sub->showMaximized();
  MdiArea->setActiveSubWindow(sub);
  UpdateAreaCommands();
  return child;
}

QMdiSubWindow* TMainForm::SubWindowOf(const TArea* area) const {
  for (QMdiSubWindow* sub : MdiArea->subWindowList()) {
    const auto* child = qobject_cast<TMDIChild*>(sub->widget());
    if (child && child->Area == area) return sub;
  }
  return nullptr;
}

TMDIChild* TMainForm::find_area_window(const TArea* area) const {
  QMdiSubWindow* sub = SubWindowOf(area);
  return sub ? qobject_cast<TMDIChild*>(sub->widget()) : nullptr;
}

TMDIChild* TMainForm::ActiveAreaWindow() const {
  // The current window, not the active one: a modal dialog or another application taking the focus
  // must not hide the Area menu.
  QMdiSubWindow* sub = MdiArea->currentSubWindow();
  return sub ? qobject_cast<TMDIChild*>(sub->widget()) : nullptr;
}

std::vector<TMDIChild*> TMainForm::AreaWindows() const {
  std::vector<TMDIChild*> windows;
  for (QMdiSubWindow* sub : MdiArea->subWindowList()) {
    if (auto* child = qobject_cast<TMDIChild*>(sub->widget())) windows.push_back(child);
  }
  return windows;
}

void TMainForm::GetArea() {
  if (!world_) return;
  TGetAreaForm picker(this);
  picker.exec();
  // The keyboard goes back to the editor (and so to the area window just opened).
  activateWindow();
}

// ---- Saving -----------------------------------------------------------------------------------------

QString TMainForm::AreaFolder() const {
  return from_path(join_path(world_->MudPath, "area")) + u'/';
}

bool TMainForm::FileNameTaken(const TArea* area, const QString& file_name) {
  for (const auto& other : world_->Areas->Items) {
    if (other.get() != area &&
        from_path(other->Header->FileName).compare(file_name, Qt::CaseInsensitive) == 0) {
      DialogService::instance().message(
          this, QStringLiteral("Save Area"),
          QStringLiteral("The area %1 is kept in the file %2.\r\nChoose another file name.")
              .arg(area_label(*other), file_name),
          DialogIcon::Warning);
      return true;
    }
  }
  return false;
}

bool TMainForm::ApplyPendingEdits(TArea* area) {
  for (TMDIChild* child : AreaWindows()) {
    if (area && child->Area != area) continue;
    if (!child->ApplyPendingEdits()) {
      // The editor that refused keeps the typed text: its window comes forward.
      open_area_window(child->Area);
      return false;
    }
  }
  return true;
}

bool TMainForm::SaveArea(TArea* area) {
  if (!world_ || !area || !ApplyPendingEdits(area)) return false;
  if (!area->Header->FileName.empty()) {
    return WriteArea(area, AreaFolder() + from_path(area->Header->FileName));
  }
  const QString path = DialogService::instance().save_file(this, QStringLiteral("Save Area"),
                                                           AreaFolder() + kNewAreaFile, kAreaFilter);
  if (path.isEmpty()) return false;
  const QString file_name = QFileInfo(path).fileName();
  if (FileNameTaken(area, file_name)) return false;
  area->Header->FileName = to_path(file_name);
  return WriteArea(area, path);
}

bool TMainForm::SaveAreaAs(TArea* area) {
  if (!world_ || !area || !ApplyPendingEdits(area)) return false;
  const QString current = from_path(area->Header->FileName);
  const QString path = DialogService::instance().save_file(
      this, QStringLiteral("Save Area As"), AreaFolder() + (current.isEmpty() ? kNewAreaFile : current),
      kAreaFilter);
  if (path.isEmpty()) return false;
  const QString file_name = QFileInfo(path).fileName();
  if (FileNameTaken(area, file_name)) return false;
  const std::string previous = area->Header->FileName;
  area->Header->FileName = to_path(file_name);
  if (WriteArea(area, path)) return true;
  area->Header->FileName = previous;
  document_->Notify(area, kHeaderChanged);
  return false;
}

bool TMainForm::WriteArea(TArea* area, const QString& path) {
  if (!auto_save_->BeforeSave(path)) return false;
  try {
    area->save_area(to_path(path));
  } catch (const std::exception& e) {
    DialogService::instance().message(this, kCaption, error_text(e), DialogIcon::Error);
    return false;
  }
  document_->MarkSaved(area);
  // The file name may be new.
  document_->Notify(area, kHeaderChanged);
  return true;
}

bool TMainForm::SaveAllAreas() {
  if (!ApplyPendingEdits()) return false;
  const std::vector<TArea*> pending = document_->ModifiedAreas();
  return std::all_of(pending.begin(), pending.end(), [this](TArea* area) { return SaveArea(area); });
}

// ---- Unsaved changes --------------------------------------------------------------------------------

bool TMainForm::ConfirmCloseArea(TArea* area) {
  if (closing_confirmed_) return true;
  if (!ApplyPendingEdits(area)) return false;
  if (!document_->IsModified(area)) return true;
  const DialogAnswer answer = DialogService::instance().question(
      this, kCaption, QStringLiteral("The area %1 has unsaved changes.\r\nSave them?").arg(area_label(*area)),
      DialogButtons::YesNoCancel, DialogIcon::Warning);
  switch (answer) {
    case DialogAnswer::Yes:
      return SaveArea(area);
    case DialogAnswer::No:
      DiscardWhenClosed(area);
      return true;
    default:
      return false;
  }
}

void TMainForm::DiscardWhenClosed(TArea* area) {
  // The window's editors still refer to the area while it closes; it is dropped once they are gone.
  if (QMdiSubWindow* sub = SubWindowOf(area)) {
    connect(sub, &QObject::destroyed, this, [this, area] { DiscardChanges(area); });
  } else {
    DiscardChanges(area);
  }
}

void TMainForm::DiscardChanges(TArea* area) {
  if (!world_) return;
  auto& items = world_->Areas->Items;
  const auto it =
      std::find_if(items.begin(), items.end(), [area](const auto& item) { return item.get() == area; });
  if (it == items.end()) return;
  if (area->IsNew) {
    // Never saved: nothing of it exists outside memory.
    document_->Forget(area);
    items.erase(it);
    return;
  }
  const std::string path = join_path(world_->MudPath, "area\\" + area->Header->FileName);
  auto reread = std::make_unique<TArea>(world_->Areas.get());
  try {
    reread->load_area(resolve_path_case(path));
  } catch (const std::exception& e) {
    DialogService::instance().message(
        this, kCaption, error_text(e) + QStringLiteral("\r\nThe changes stay in memory unsaved."),
        DialogIcon::Error);
    return;
  }
  document_->Forget(area);
  *it = std::move(reread);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!closing_confirmed_ && !ApplyPendingEdits()) {
    event->ignore();
    return;
  }
  if (!closing_confirmed_ && !document_->ModifiedAreas().empty()) {
    QString list;
    for (const TArea* area : document_->ModifiedAreas())
      list += QStringLiteral("\r\n") + area_label(*area);
    const DialogAnswer answer = DialogService::instance().question(
        this, kCaption,
        QStringLiteral("These areas have unsaved changes:") + list + QStringLiteral("\r\nSave them?"),
        DialogButtons::YesNoCancel, DialogIcon::Warning);
    if (answer == DialogAnswer::Cancel || (answer == DialogAnswer::Yes && !SaveAllAreas())) {
      event->ignore();
      return;
    }
  }
  closing_confirmed_ = true;
  if (auto_save_->Started()) StoreSession(*this);
  auto_save_->CleanExit();
  MdiArea->closeAllSubWindows();
  if (help_window_) help_window_->close();
  event->accept();
}

// ---- Sector colours, help, about --------------------------------------------------------------------

void TMainForm::SectorColors() {
  if (!world_) return;
  TSectorColorsForm form(this);
  form.SetSectorNames(world_->SectorTypes);
  form.SetColors(world_->SectorColors);
  const int result = form.exec();
  activateWindow();
  if (result != QDialog::Accepted) return;
  world_->set_sector_colors(form.GetColors());
  try {
    world_->save_sector_colors();
  } catch (const std::exception& e) {
    DialogService::instance().message(this, kCaption, error_text(e), DialogIcon::Error);
  }
  // The maps show the new colours at once.
  for (TMDIChild* child : AreaWindows())
    child->update();
}

void TMainForm::ShowHelp(const QString& topic) {
  if (!help_window_) help_window_ = new THelpWindow(this);
  help_window_->ShowTopic(topic);
}

void TMainForm::About() {
  TAboutBox box(this);
  box.exec();
  activateWindow();
}

}  // namespace tavro::ui
