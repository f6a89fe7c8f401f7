#pragma once
// The window of one area: six pages (the room map and the pages of the area's editors), the key preview
// that drives the map, and the map's road to the main window and to the room editor.
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "ui/main/MDIChild.h"
#include "ui/main/MapWidget.h"

class QTabWidget;

namespace tavro::ui {

class TParentForm;

class TAreaManageForm : public TMDIChild, public TMapHost {
  Q_OBJECT

 public:
  static constexpr int kPageCount = 6;

  explicit TAreaManageForm(TMainForm* main_form, QWidget* parent = nullptr);
  ~TAreaManageForm() override;

  // Makes the main window open areas in this window.
  static void Install();

  // The editors of the pages are made by factories, so that each editor plugs itself in where it is
  // built (and tests can plug in their own). A page without a factory says that it has no editor yet.
  using EditorFactory = std::function<std::unique_ptr<TParentForm>()>;
  static void set_editor_factory(int page, EditorFactory factory);

  void SetArea(TArea* area) override;
  void ShowPage(int page) override;

  TMapWidget* Map() const { return MapView; }
  // The editor embedded in a page, or none.
  TParentForm* Editor(int page) const;
  TParentForm* RoomEditor() const { return Editor(RoomsPage); }
  QTabWidget* AreaPages = nullptr;

  bool ApplyPendingEdits() override;
  // Shows the map with the room selected (its level shown), and the room in the room editor.
  void GoToRoom(int32_t index);

  // TMapHost
  void MapEdited(std::unique_ptr<TChange> change, const QString& text) override;
  void ShowRoomInEditor(int32_t index) override;
  void ShowAreas(const std::vector<TArea*>& areas) override;
  void ShowRoomsPage() override;
  bool AnalyzeHotKeys(int key, Qt::KeyboardModifiers modifiers) override;
  void ShowMapHelp() override;
  std::optional<int32_t> ChooseSector(int32_t current) override;
  void OpenRoomInArea(TArea& area, int32_t room_index, bool select_in_editor) override;

 protected:
  // The window sees every key before the focused control (the map's keys).
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void CreatePages();
  void CreateEditor(int page);
  void AreaPagesChange(int page);
  bool FormKeyDown(QObject* watched, QKeyEvent* event);
  // True when a key sent to watched is the map's to take: the map page is shown and watched has the focus.
  bool MapHasKeys(QObject* watched) const;
  // Every change of the world passes here; the map and the editors follow those of this window's area.
  void FollowChange(TArea* area, uint32_t scope);

  TMapWidget* MapView = nullptr;
  std::array<QWidget*, kPageCount> Pages{};
  std::array<std::unique_ptr<TParentForm>, kPageCount> Editors;
};

}  // namespace tavro::ui
