#pragma once
// The two-pane editor every entity editor shares: a searchable list of the entities of one area list on
// the left, the data panel of the selected entity on the right with View, OK, Restore and Cancel under
// it, and Add / Delete on the list's context menu. The concrete editor says how one entity is shown,
// cleared, validated and stored by overriding the operations below.
//
// The form itself is never shown: the area window moves its CommonPanel onto one of its pages
// (EmbedInto). The form owns CommonPanel until then and releases it with itself.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "reading/BitVector.h"
#include "world/World.h"

class QAction;
class QListView;
class QListWidget;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;

namespace tavro {
class TArea;
class TChange;
}  // namespace tavro

namespace tavro::ui {

using TConstantList = TStringList;

class TEntryList;
class TWorldDocument;

class TParentForm : public QWidget {
  Q_OBJECT

 public:
  explicit TParentForm(QWidget* parent = nullptr);
  ~TParentForm() override;

  // The area window hands every embedded editor its area; the editor binds itself to the list it edits
  // (its own SetList) and then runs the base SetList.
  virtual void BindArea(TArea& area) = 0;

  // Overridable operations.
  virtual void SearchItem(const QString& text);
  virtual void ShowItem(int index);
  virtual void ClearItem();
  virtual void ApplyItem();
  virtual void ViewItem();
  virtual void StoreItem(const QString& name, void* entity);
  virtual void RemoveItem(int index);

  void SelectItem(int index);
  // ShowItem as the record stands, dropping any edit not applied (selection, Restore, the map).
  void ShowEntry(int index);
  // Moves CommonPanel into container and keeps it at the container's client size.
  void EmbedInto(QWidget* container);
  // The form is being closed: from now on applying does nothing.
  void FormClose();

  // The change path: the area window sets it before BindArea. Every store goes through Commit.
  TWorldDocument* Document = nullptr;
  // The records of the bound area changed (here, elsewhere, or by undo); scope is a set of ChangeScope
  // bits. The editor refreshes what it shows of them.
  virtual void AreaChanged(uint32_t scope);
  // Stores an edit the user made in the data panel and has not applied yet (before a save or a close).
  // False when the editor refused it: it has said why, and the typed text stays.
  bool ApplyPending();
  // True while the data panel holds edits that are not stored.
  bool Dirty = false;

  // The search list, as the area window drives it.
  int entry_count() const;
  QString entry_text(int index) const;
  void* entry_object(int index) const;
  template <class T>
  T* entry_entity(int index) const {
    return static_cast<T*>(entry_object(index));
  }
  void append_entry(const QString& text, void* entity);
  void delete_entry(int index);
  void clear_entries();
  // Selects the entry (or none for -1) without running SelectItem.
  void select_entry(int index);
  int selected_entry() const;

  int CurrentIndex = -1;
  bool Closed = false;
  QString ViewText;

  QWidget* CommonPanel = nullptr;
  QWidget* SearchPanel = nullptr;
  QLineEdit* SearchEdit = nullptr;
  QListView* LBSearch = nullptr;
  TEntryList* Entries = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* DataPanel = nullptr;
  // The concrete editor's fields go here, above the command buttons.
  QWidget* FieldsPanel = nullptr;
  QPushButton* ViewButton = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* RestoreButton = nullptr;
  QPushButton* CancelButton = nullptr;
  QMenu* PMSearch = nullptr;
  QAction* AddAction = nullptr;
  QAction* RemoveAction = nullptr;
  QAction* ViewAction = nullptr;
  QAction* ApplyAction = nullptr;
  QAction* CancelAction = nullptr;
  QAction* ResetAction = nullptr;

  // Flag routines for check lists: entry i of the check list stands for entry i ("bit=Name") of the
  // constant list. Bit numbers are taken modulo 32 for the 32-bit forms.
  static void BitVectorToCheckList(QListWidget* check_list, const TBitVector& bits,
                                   const TConstantList& list);
  static void FlagsToCheckList(QListWidget* check_list, uint32_t flags, const TConstantList& list,
                               uint32_t choice);
  static void CheckListToFlags(QListWidget* check_list, uint32_t& flags, const TConstantList& list);
  static void CheckListToFlagsAndChoice(QListWidget* check_list, uint32_t& flags, uint32_t& choice,
                                        const TConstantList& list);
  static void CheckListToBitVector(QListWidget* check_list, TBitVector& bits, const TConstantList& list);
  static void FlagsToText(uint32_t flags, const TConstantList& list, std::string& text);
  // FlagsToCheckList's "no choice".
  static constexpr uint32_t kNoChoice = 0xFFFFFFFFu;

 protected:
  // The concrete editor fills the search list from its source list, then calls this: the list is
  // enabled exactly when it has entries, and the first entry (or none) is selected.
  void SetList();
  // Commits the edits whenever the keyboard focus leaves the data panel (room, object, mobile and help
  // editors).
  void RouteDataPanelExitToApply();
  // Puts a change the editor made (already applied) on the undo stack as one step named text.
  void Commit(std::unique_ptr<TChange> change, const QString& text);
  // Watches the fields under FieldsPanel: a change the user makes there marks the panel Dirty; a change
  // made while ShowingItem is set (the editor filling its fields) does not.
  void WatchEdits();
  bool ShowingItem = false;
  void closeEvent(QCloseEvent* event) override;
  // The list is enabled exactly when it has entries.
  void update_list_enabled();

 private:
  void FormCreate();
  void create_actions();
  void create_search_panel();
  void create_data_panel();
  void SearchEditChange(const QString& text);
  void LBSearchClick(int row);
  void RemoveActionExecute();
  void DataPanelFocusChanged(QWidget* old_focus, QWidget* new_focus);

  QPointer<QWidget> owned_panel_;
};

}  // namespace tavro::ui
