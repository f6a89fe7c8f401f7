#pragma once
// The "Doors" page of the room editor: the room's eleven exit slots, picked with compass buttons, each
// exit's target, key, flags, pull and description, and a door's extended texts (its short name in six
// cases, its states and its three-form action messages). An exit is edited in a copy of its own and
// moved into the editor's working copy of the room when another direction is picked, the page is left
// or the room's OK stores the room. Only this room's exit changes: no exit back is made.
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "area/Rooms.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace tavro {
class TWorld;
}

namespace tavro::ui {

class TChoiceBox;
class TFlagCheckList;
class TTextField;

class TRoomDoorsPage : public QWidget {
  Q_OBJECT

 public:
  explicit TRoomDoorsPage(QWidget* parent = nullptr);
  ~TRoomDoorsPage() override;

  // The exit-flag and pull-type lists of the world.
  void SetLists(const TWorld& world);
  // Binds the page to the editor's working copy of a room: the exit being edited is dropped and the exit
  // of the selected direction (kept from room to room) is shown.
  void SetRoom(TAreaRoom* room);
  // Moves an edited exit into the working copy. False when a field cannot be stored: the builder has
  // been told why ("DOOR: Bad information:") and the focus is on the field.
  bool StorePending();
  // Shows the exit of a direction, storing the one shown first when it was edited; when that fails the
  // direction shown stays selected.
  void SelectDoor(int32_t dir);
  // The buttons' look (bold lime where an exit leads somewhere), then the selected direction's exit.
  void UpdateDoorButtons();
  int32_t Direction() const { return direction_; }
  // The caption of refusals (the editor's title).
  QString Caption;

  QWidget* pnlDoorsDir = nullptr;
  std::array<QAbstractButton*, DirectionCount> DoorButtons{};
  QTabWidget* PageControl1 = nullptr;
  QLabel* UsageHint = nullptr;
  QLineEdit* ExitVNumEdit = nullptr;
  QLineEdit* ExitKeyEdit = nullptr;
  QLineEdit* ExitKeywordEdit = nullptr;
  QLineEdit* ExitDistanceEdit = nullptr;
  QLineEdit* ExitPullEdit = nullptr;
  TChoiceBox* ExitCBPullType = nullptr;
  TFlagCheckList* ExitCLBFlags = nullptr;
  TTextField* ExitDescription = nullptr;
  TChoiceBox* cbDoorSex = nullptr;
  QCheckBox* chMultiple = nullptr;
  TTextField* BashedDescription = nullptr;
  // The one-line texts of a door, with their "..." buttons (null for the states).
  struct TextField {
    std::string TDoorTexts::*text;
    QLineEdit* edit;
    QPushButton* button;
  };
  std::vector<TextField> TextFields;
  QLineEdit* TextEdit(std::string TDoorTexts::*text) const;
  QPushButton* TextButton(std::string TDoorTexts::*text) const;

 signals:
  // The builder edited the exit shown.
  void edited();

 private:
  void FormCreate();
  void CreateDirectionButtons();
  QWidget* CreateMainPage();
  QWidget* CreateTextPage(int page);
  void WatchField(QWidget* field);
  void MarkModified();
  void ShowDoor(const TAreaDoor& door);
  // Every field into door, checked first: throws TFieldError and leaves door as it was.
  void StoreDoor(TAreaDoor& door) const;
  bool StoreShownDoor();
  void PaintButtons();
  void CheckButton(int32_t dir);
  // What the file keeps of the exit as the fields stand: nothing of an exit that leads nowhere and has
  // no description, and no door texts of an exit that is no door.
  void UpdateUsage();
  void EditActions(QLineEdit* edit);
  void EditShortName();

  TAreaRoom* room_ = nullptr;
  std::unique_ptr<TAreaDoor> door_;
  int32_t direction_ = DIR_NORTH;
  bool selecting_ = false;
  bool filling_ = false;
  QButtonGroup* buttons_ = nullptr;
  std::vector<QWidget*> door_fields_;  // what an exit that leads nowhere may not edit
  std::array<QWidget*, 3> text_pages_{};
};

}  // namespace tavro::ui
