#pragma once
// The View menu and its tool bar: the level and zoom of the map of the active area window, for keyboards
// without a numeric pad and for the mouse, and Go To Room, which finds a vnum in every loaded area.
#include <QDialog>
#include <QObject>
#include <cstdint>

class QAction;
class QLineEdit;

namespace tavro::ui {

class TMainForm;
class TAreaManageForm;

// Asks for the vnum of the room to go to.
class TGoToRoomForm : public QDialog {
  Q_OBJECT

 public:
  explicit TGoToRoomForm(QWidget* parent = nullptr);
  QLineEdit* edVnum;
};

class TViewCommands : public QObject {
  Q_OBJECT

 public:
  explicit TViewCommands(TMainForm* main_form);

  // Opens (or brings forward) the window of the area holding the room, shows its map on the room's level
  // and selects it; the active window's area is searched first. Says so and returns false when no loaded
  // area has the room.
  bool GoToRoom(int32_t vnum);

  QAction *acLevelUp, *acLevelDown, *acZoomIn, *acZoomOut, *acGoToRoom;

 private:
  // The active area window while it shows its map; the level and zoom commands work on it alone.
  TAreaManageForm* ActiveMap() const;
  void UpdateCommands();
  void AskForRoom();

  TMainForm* MainForm;
  QMetaObject::Connection PageWatch;
};

}  // namespace tavro::ui
