#pragma once
// The editor's frame: owns the world, loads it at start, and carries the commands that create, pick, save
// and close areas, arrange the area windows, edit the sector colours and show the help.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace tavro {
class TArea;
class TWorld;
}  // namespace tavro

namespace tavro::ui {

class TMDIChild;
class TWorldDocument;
class TSelectSectorForm;
class THelpWindow;
class TAutoSave;
class TWorldCheckDock;
class TFindInWorldDock;

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // Creates the window that shows an area. The area window plugs itself in here (see MainForm.cpp);
  // tests may install another.
  using AreaWindowFactory = std::function<TMDIChild*(TMainForm*)>;
  static void set_area_window_factory(AreaWindowFactory factory);

  // The start-up road: ini, areas-list dialog, world, loading window, area loop. Runs on the first showing;
  // returns false when the program is to end (the world could not be built, or loading was given up).
  bool StartUp();
  // Builds the world for a server root and loads its areas (steps after the dialog; tests call it).
  bool LoadWorld(const QString& mud_folder);

  // Window-side operations used by the area windows and the area picker.
  TMDIChild* NewArea();
  TMDIChild* open_area_window(int position);  // position in the world's Areas
  TMDIChild* open_area_window(TArea* area);
  TMDIChild* find_area_window(const TArea* area) const;
  TMDIChild* ActiveAreaWindow() const;
  std::vector<TMDIChild*> AreaWindows() const;
  // Ctrl+1..Ctrl+6 (exactly Ctrl) show a page of the active area window; true when the key was used.
  bool AnalyzeHotKeys(int key, Qt::KeyboardModifiers modifiers);
  // Opens the bundled help on a topic ("MAP_INFO": the map's keys).
  void ShowHelp(const QString& topic);

  // Saving; each returns true when the area is on disk afterwards.
  bool SaveArea(TArea* area);
  bool SaveAreaAs(TArea* area);
  bool SaveAllAreas();
  // Asked before an area window with unsaved changes closes: true when it may close.
  bool ConfirmCloseArea(TArea* area);
  // Stores what the editors of the area's window (every window for none) hold unapplied; false when an
  // editor refused its edit (it has said why and kept the typed text).
  bool ApplyPendingEdits(TArea* area = nullptr);

  TWorld* World() const { return world_.get(); }
  // The change path of the world: undo stack, modified areas, change notifications.
  TWorldDocument& Document() const { return *document_; }
  // The sector picker shared for the whole run (the map's T key).
  TSelectSectorForm& SelectSectorForm() const { return *select_sector_; }
  // Autosave to recovery files, recovery at start-up and backups on saving.
  TAutoSave& AutoSave() const { return *auto_save_; }
  // The folder the program started in, without a trailing separator.
  QString StartDir;

  // Commands, named as the rest of the editor refers to them.
  QAction *FileNew1, *FileOpen1, *FileGetFromList1, *FileSave1, *FileSaveAs1, *FileSaveAll1, *FileClose1,
      *FileCloseAll1, *FileExit1;
  QAction *EditUndo1, *EditRedo1, *EditCut1, *EditCopy1, *EditPaste1, *acSectorColors;
  QAction *ShowAreaInfo, *ShowAreaHelps;
  QAction *WindowCascade1, *WindowTileHorizontal1, *WindowTileVertical1, *WindowMinimizeAll1,
      *WindowArrangeAll1;
  QAction *HelpContents1, *HelpAbout1;
  QAction *acShowMap, *acShowStats, *acShowHelps, *acShowRooms, *acShowObjects, *acShowMobiles;
  QMenu* AreaMenu;
  QMdiArea* MdiArea;
  // The windows that look at the whole world, docked below the areas, and the commands that show them.
  TWorldCheckDock* WorldCheck;
  TFindInWorldDock* FindInWorld;
  QAction *acWorldCheck, *acFindInWorld;
  // Tests drive the start-up themselves.
  bool StartUpOnShow = true;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateActions();
  void CreateWorldDocks();
  void CreateMenus();
  void CreateToolBar();
  void FillWindowMenu(QMenu* menu);
  QList<QAction*> PageActions() const;
  void UpdateAreaCommands();
  void ShowPageOfActiveWindow(int page);
  void TileSubWindows(Qt::Orientation stacking);
  void ArrangeMinimized();
  QString ProposedAreasList() const;
  bool LoadAreas();
  void GiveUpLoading();
  void SectorColors();
  void GetArea();
  void About();
  bool FileNameTaken(const TArea* area, const QString& file_name);
  bool WriteArea(TArea* area, const QString& path);
  void DiscardWhenClosed(TArea* area);
  void DiscardChanges(TArea* area);
  QString AreaFolder() const;
  QMdiSubWindow* SubWindowOf(const TArea* area) const;

  std::unique_ptr<TWorld> world_;
  TWorldDocument* document_;
  TSelectSectorForm* select_sector_;
  TAutoSave* auto_save_;
  THelpWindow* help_window_ = nullptr;
  bool started_ = false;
  bool closing_confirmed_ = false;
};

}  // namespace tavro::ui
