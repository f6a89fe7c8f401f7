#pragma once
// The room editor's Resets page: on the left the tree of what the area's resets put into the room being
// edited, on the right the grid of the area's whole reset list, one reset a row and an empty row at the
// end where new resets go. Every command changes the area's list at once, as one undoable step, apart
// from the room's working copy; the tree and the grid follow every change of the list, whoever made it.
#include <QAbstractTableModel>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "area/ResetEditing.h"

class QAction;
class QMenu;
class QSplitter;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavro {
class TArea;
class TAreaReset;
class TChange;
class TResetTree;
}  // namespace tavro

namespace tavro::ui {

class TWorldDocument;

// The area's reset list as the grid shows it: one row a reset (letter, Extra, Arg1, Arg2, Arg3) and the
// empty row after the last. A cell typed into is stored through the page as a change of that reset.
class TResetListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetArea(TArea* area);
  // The list changed: every row is read afresh.
  void Refill();
  // The reset of a row; null for the empty row or past it.
  const TAreaReset* ResetAt(int row) const;
  int ResetCount() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // A cell was typed into: the row's reset should take these cells (CR LF joined, the model's text).
  void rowEdited(int row, const QString& cells);

 private:
  TArea* area_ = nullptr;
};

class TRoomResetsPage : public QWidget {
  Q_OBJECT

 public:
  explicit TRoomResetsPage(QWidget* parent = nullptr);
  ~TRoomResetsPage() override;

  // The area whose list the page edits, and the document its changes go through.
  void Bind(TArea* area, TWorldDocument* document);
  // The room whose tree is shown.
  void SetRoom(int32_t vnum);
  int32_t Room() const { return room_; }
  // The tree built afresh from the list.
  void BuildResetTree();
  // The grid read afresh; its current row becomes the first.
  void FillResetGrid();

  // The grid's current row (0 the first reset; the reset count is the empty last row).
  int CurrentRow() const;
  void SetCurrentRow(int row);
  // The reset the tree's selected node shows; -1 when none is selected.
  int SelectedReset() const;
  QString StoredRow() const { return stored_row_; }

  // Tree commands.
  void EditInfo();
  void AddMobile();
  void AddObjectToEquipment();
  void AddObjectToInventory();
  void AddObject();
  void AddObjectToObject();
  void HideObject();
  void RemoveNode();
  // Grid commands.
  void EditRow();
  void InsertNewRow();
  void InsertStoredRow();
  void StoreRow();
  void RemoveRow();
  void MoveRowUp();
  void MoveRowDown();
  void RestructureResets();

  QSplitter* Splitter3 = nullptr;
  QTreeWidget* tvResets = nullptr;
  QTableView* sgResets = nullptr;
  TResetListModel* Model = nullptr;
  QMenu* pmResets = nullptr;
  QMenu* pmResetList = nullptr;
  // Tree actions.
  QAction* acEditInfo = nullptr;
  QAction* acAddMobile = nullptr;
  QAction* acAddObjectToEq = nullptr;
  QAction* acAddObjectToInv = nullptr;
  QAction* acAddObject = nullptr;
  QAction* acAddObjectToObject = nullptr;
  QAction* acHideObject = nullptr;
  QAction* acRemove = nullptr;
  // Grid actions.
  QAction* acEditDirectInfo = nullptr;
  QAction* acInsertNewRow = nullptr;
  QAction* acInsertExistingRow = nullptr;
  QAction* acStoreRow = nullptr;
  QAction* acRemoveRow = nullptr;
  QAction* acMoveRowUp = nullptr;
  QAction* acMoveRowDown = nullptr;
  QAction* acRestructure = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateTree();
  void CreateGrid();
  void CreateTreeActions();
  void CreateGridActions();
  void UpdateTreeActions();
  using Command = void (TRoomResetsPage::*)();
  // The command a key runs in the tree or the grid; null for a key the page leaves alone.
  static Command TreeCommand(int key, Qt::KeyboardModifiers modifiers);
  static Command GridCommand(int key, Qt::KeyboardModifiers modifiers);
  void FollowChange(TArea* area, uint32_t scope);
  void TreeSelectionChanged();
  // Pushes a change of the list as one step; the grid's current row afterwards and the reset whose node
  // the tree selects (-1: the first node).
  void Commit(std::unique_ptr<TChange> change, const QString& text, int row, int select_reset = -1);
  // Inserts a reset at index of the list as one step named text; the tree selects it.
  void Insert(size_t index, const TAreaReset& reset, const QString& text);
  void StoreCells(int row, const QString& cells);
  // The reset of the tree's selected node when its letter is one of letters.
  const TAreaReset* SelectedWithLetter(const char* letters) const;
  std::optional<int32_t> PickItem(ResetItemKind kind);
  void EditMobileCount(int index);
  void EditWearLocation(int index);
  // Says where and what went wrong.
  void Refuse(const QString& caption, const QString& text);

  TArea* area_ = nullptr;
  QPointer<TWorldDocument> document_;
  int32_t room_ = 0;
  QString stored_row_;
  bool building_tree_ = false;
  std::unique_ptr<TResetTree> tree_;
};

}  // namespace tavro::ui
