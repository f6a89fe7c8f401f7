#pragma once
// The room map of an area window: one level of the laid-out grid with the level below as a grey shadow,
// scrolled in whole cells, hit-tested by the mouse and driven from the keyboard (scrolling, level, zoom,
// growing and linking rooms, deleting them). What it needs from the window around it goes through
// TMapHost, so that the map also works on its own (benchmarks, tests).
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "area/Layout.h"
#include "area/SpatialIndex.h"

class QLabel;
class QWheelEvent;
class QScrollBar;
class QStatusBar;

namespace tavro {
class TArea;
class TAreaRoom;
class TAreaRooms;
class TChange;
struct TRoomCreation;
}  // namespace tavro

namespace tavro::ui {

// The area window as the map sees it.
class TMapHost {
 public:
  virtual ~TMapHost() = default;
  // Puts a change the map made (already applied) on the undo stack as one step named text. The map
  // follows it through RoomsChanged, as it follows every change of its rooms.
  virtual void MapEdited(std::unique_ptr<TChange> change, const QString& text) = 0;
  // The room editor's list selects the room and the editor shows it (-1: nothing selected, editor empty).
  virtual void ShowRoomInEditor(int32_t index) = 0;
  // Shows the windows of the other areas a removal repaired, so that the builder can save them.
  virtual void ShowAreas(const std::vector<TArea*>& areas) = 0;
  virtual void ShowRoomsPage() = 0;
  // Ctrl+1..Ctrl+6; true when the key was used.
  virtual bool AnalyzeHotKeys(int key, Qt::KeyboardModifiers modifiers) = 0;
  virtual void ShowMapHelp() = 0;
  // The sector picker; the chosen sector, or none when it was cancelled.
  virtual std::optional<int32_t> ChooseSector(int32_t current) = 0;
  // Opens (or brings forward) the window of another area and selects a room there; the room editor of
  // that window follows only when select_in_editor is true.
  virtual void OpenRoomInArea(TArea& area, int32_t room_index, bool select_in_editor) = 0;
};

class TMapWidget : public QWidget {
  Q_OBJECT

 public:
  explicit TMapWidget(QWidget* parent = nullptr);

  void SetHost(TMapHost* host) { Host = host; }
  // Binds the map to a room list (or none): zoom 10, level 0, no selection, fresh layout.
  void SetRooms(TAreaRooms* rooms);
  TAreaRooms* rooms() const { return Rooms; }

  // The key table of the map; true when the key was consumed.
  bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
  // True for a key the map consumes (a command's shortcut must not take it from the map).
  static bool IsMapKey(int key, Qt::KeyboardModifiers modifiers);

  // Selects a room (or none) and shows its level.
  void SelectRoom(int32_t index);
  // The rooms changed (here, in another window, or by undo): a fresh layout when asked for (rooms were
  // created; linking and removal keep every room where it stands); the selection stays on its room, or
  // on the room that took its place in the list.
  void RoomsChanged(bool lay_out);
  void CreateRoomTowards(int32_t dir);
  void GoThroughExit(int32_t dir);
  void LinkToNearestRoom(int32_t dir);
  void CreateFirstRoom();
  void DeleteSelectedRoom();
  void ChooseNewRoomSector();
  void LevelUp();
  void LevelDown();
  // The zoom commands: the selected room shown on this level stays where it is on the screen, else the
  // middle of the view does.
  void ZoomIn();
  void ZoomOut();
  // Rooms of other areas changed: exits leaving this area may lead somewhere else now.
  void OtherAreasChanged();

  // Scroll ranges follow the layout's bounds.
  void AreaPagesChange();
  void KeepSelectionInView();
  void UpdateStatusBar();
  // Everything a consumed key refreshes.
  void RefreshView();

  int32_t RoomAtPoint(int px, int py) const;
  // The tool tip of the map at a pixel of the paint box: what DescribeRoom says, or nothing.
  QString ToolTipAt(int px, int py) const;
  int32_t offset_x() const;
  int32_t offset_y() const;
  QWidget* paint_box() const;
  QScrollBar* horizontal_bar() const { return SBH; }
  QScrollBar* vertical_bar() const { return SBV; }
  QString status_panel(int panel) const;

  int32_t Zoom = 10;
  int32_t MapLevel = 0;
  int32_t SelectedRoom = -1;
  int32_t NewRoomSector = 0;

  static constexpr int kStatusPanels = 7;

 private:
  class PaintBox;
  friend class PaintBox;

  void PBPaint(QPainter& painter, const QRect& dirty);
  void PBMouseDown(int px, int py);
  void PBDblClick(int px, int py);
  void PBWheel(QWheelEvent* event);
  bool HandlePlainKey(int key, bool keypad);
  void ScrollBy(QScrollBar* bar, int delta);
  void ScrollToEnd();
  void ScrollMap(QScrollBar* bar, int value);
  void SetZoom(int32_t zoom);
  // Changes the zoom keeping the map point under the pixel of the paint box where it is.
  void ZoomAround(int32_t zoom, QPoint anchor);
  QString DescriptionOf(int32_t index, const QString& separator) const;
  // The pixels of a room's square (with its selection frame) on the map; empty for no room.
  QRect RoomRect(int32_t index) const;
  void FollowExit(int32_t vnum, const QString& open_caption, const QString& unfinished_caption,
                  bool select_in_other_editor);
  TAreaRoom* Selected() const;
  void SetSelection(int32_t index);
  void Commit(std::unique_ptr<TChange> change, const QString& text);
  void ShowCreated(TRoomCreation made);
  QString SectorName(int32_t sector) const;

  TMapHost* Host = nullptr;
  // The scroll positions the painted pixels show.
  int32_t ShownColumn = 0;
  int32_t ShownRow = 0;
  // Pixels scrolled beyond the whole cells of the scroll bars, so that a zoom keeps a point exactly in
  // place; any other scroll drops them.
  int32_t FineX = 0;
  int32_t FineY = 0;
  bool Zooming = false;
  int WheelZoomDelta = 0;  // wheel turns not yet a whole zoom step
  // The layout's walk and the index of the rooms where they stand, kept by RoomsChanged.
  TRoomLayout Layout;
  TMapIndex Index;
  // A room the map has just made, joined to the room at from by the door in slot dir: the layout may
  // add it without walking the area again.
  struct PendingRoom {
    const TAreaRoom* record = nullptr;
    int32_t from = -1;
    int32_t dir = -1;
  } Pending;
  TAreaRooms* Rooms = nullptr;
  // The record selected, to find it again when the list changes.
  const TAreaRoom* SelectedRecord = nullptr;
  QWidget* PBPanel = nullptr;
  PaintBox* PB = nullptr;
  QScrollBar* SBH = nullptr;
  QScrollBar* SBV = nullptr;
  QStatusBar* SB = nullptr;
  std::array<QLabel*, kStatusPanels> Panels{};
};

}  // namespace tavro::ui
