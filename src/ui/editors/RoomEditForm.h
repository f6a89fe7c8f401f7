#pragma once
// The room editor of the Rooms page: the area's rooms listed as "vnum name", and one room at a time
// edited in a working copy: vnum and name, description, sector, teleport and flags, extra descriptions,
// exits and doors, programs. OK stores the copy as one undoable step; a new vnum can take along
// everything in the world that named the old one. The map and the editor follow each other through the
// area window.
#include <memory>

#include "area/Rooms.h"
#include "ui/editors/RecordEditor.h"

class QLineEdit;
class QTabWidget;

namespace tavro::ui {

class TAreaManageForm;
class TChoiceBox;
class TExtraDescsPage;
class TFlagCheckList;
class TProgsPage;
class TRoomDoorsPage;
class TRoomResetsPage;
class TTextField;

class TRoomEditForm : public TRecordEditor<TAreaRoom> {
  Q_OBJECT

 public:
  enum Page { DescriptionPage, StatsPage, ExtraDescsPage, DoorsPage, ProgsPage, ResetsPage };

  explicit TRoomEditForm(QWidget* parent = nullptr);
  ~TRoomEditForm() override;

  void BindArea(TArea& area) override;
  // An edited door is stored into the working copy first; a door that cannot be stored fails the OK.
  void ApplyItem() override;
  void ViewItem() override;
  // Through the map's removal: its question, and the repair of exits and resets that lead to the room.
  void RemoveItem(int index) override;

  // The working copy the pages edit.
  TAreaRoom* WorkRoom() const { return work_room_.get(); }
  // The View text of the fields and the working copy.
  QString ViewTextOfRoom() const;
  // Shows the room of a list entry on the map of the area window (its level, the Map page).
  void ShowOnMap(int index);

  QLineEdit* RoomVNumEdit = nullptr;
  QLineEdit* RoomNameEdit = nullptr;
  QTabWidget* RoomInfoPageControl = nullptr;
  TTextField* DescriptionEdit = nullptr;
  TChoiceBox* RoomCBSector = nullptr;
  QLineEdit* RoomTeleDelayEdit = nullptr;
  QLineEdit* RoomTeleVNumEdit = nullptr;
  QLineEdit* RoomTunnelEdit = nullptr;
  TFlagCheckList* RoomCLBFlags = nullptr;
  TExtraDescsPage* ExtraDescs = nullptr;
  TRoomDoorsPage* Doors = nullptr;
  TProgsPage* Progs = nullptr;
  TRoomResetsPage* Resets = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

  List& Records(TArea& area) const override;
  uint32_t Scope() const override;
  QString EntryText(const TAreaRoom& room) const override;
  QString RecordLabel(const TAreaRoom& room) const override;
  QString ErrorPrefix() const override;
  void ShowRecord(const TAreaRoom& room) override;
  void ClearFields() override;
  void ReadFields(TAreaRoom& room) override;
  void Validate(const TAreaRoom& room, const TAreaRoom* live) override;
  std::unique_ptr<TAreaRoom> NewRecord(TArea& area) const override;
  std::unique_ptr<TAreaRoom> CopyOf(const TAreaRoom& room) const override;
  std::unique_ptr<TChange> StoreChange(TAreaRoom& live, std::unique_ptr<TAreaRoom> edited) override;

 private:
  void FormCreate();
  QWidget* CreateDescriptionPage();
  QWidget* CreateStatsPage();
  void CreateListPages();
  void AddPage(QWidget* page, const QString& caption);
  // The working copy into the fields; keep_places keeps the extra description and program shown.
  void FillFields(bool keep_places);
  void PageLeft(int page);
  void FocusMoved(QWidget* old_focus, QWidget* new_focus);
  // Asks whether what names the old vnum follows the room; null when the builder cancels.
  std::unique_ptr<TChange> WithRenumbering(std::unique_ptr<TChange> change, int32_t from, int32_t to);
  TAreaManageForm* AreaWindow() const;
  int32_t RoomIndex(const TAreaRoom* room) const;

  std::unique_ptr<TAreaRoom> work_room_;
  const TAreaRoom* shown_ = nullptr;
  int shown_page_ = DescriptionPage;
  bool store_called_off_ = false;
};

}  // namespace tavro::ui
