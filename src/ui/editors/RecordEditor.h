#pragma once
// The editor base over one owning list of an area's records, typed. It keeps the search list in step with
// the records whoever changes them (this editor, the map, another window, undo), shows a record through
// the concrete editor's mapping of fields to record, checks every field before anything is stored, and
// stores each OK, Add and Delete as one undoable step. A concrete editor writes only the mapping.
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "area/Changes.h"
#include "ui/editors/EntryList.h"
#include "ui/editors/ParentForm.h"

class QLineEdit;
class QPlainTextEdit;

namespace tavro::ui {

// A field that cannot be stored: what is wrong with it, and the field the focus goes back to.
class TFieldError : public std::runtime_error {
 public:
  TFieldError(const QString& message, QWidget* field);
  QString message;
  QWidget* field;
};

// Reading fields for a store. Each names the field (its caption) when it refuses.
// A text as the model keeps it (Windows-1251); refused when it holds '~' or NUL.
std::string field_text(const QString& text, const QString& caption, QWidget* field);
// The same check of a text already in the model's form.
void check_field_text(const std::string& text, const QString& caption, QWidget* field);
std::string field_text(QLineEdit* edit, const QString& caption);
// A whole number; refused when the text is not one.
int32_t field_number(QLineEdit* edit, const QString& caption);

// Shows the refusal ("<prefix>" CR LF "<message>", or the message alone without a prefix) and puts the
// focus back on the field.
void refuse_field(QWidget* parent, const QString& caption, const QString& prefix, const TFieldError& error);

// A store that gives a record the world names elsewhere a new vnum: asks the question (Yes / No / Cancel)
// whether those names follow. Yes makes store and follow() one step, No keeps the store alone, Cancel
// takes the store back and gives null. Without a question the store stands alone.
std::unique_ptr<TChange> with_names_following(QWidget* parent, const QString& caption,
                                              const QString& question, std::unique_ptr<TChange> store,
                                              const std::function<std::unique_ptr<TChange>()>& follow);

template <class T>
class TRecordEditor : public TParentForm {
 public:
  using List = std::vector<std::unique_ptr<T>>;

  explicit TRecordEditor(QWidget* parent = nullptr) : TParentForm(parent) {}

  void BindArea(TArea& area) override {
    area_ = &area;
    Refill();
    SetList();
  }

  void ShowItem(int index) override {
    const T* record = RecordAt(index);
    if (record == nullptr) {
      CurrentIndex = -1;
      ClearItem();
      return;
    }
    CurrentIndex = index;
    ShowRecord(*record);
  }

  void ClearItem() override {
    ClearFields();
    TParentForm::ClearItem();
  }

  // Every field is read and checked into a copy first; the record is stored whole or not at all, and a
  // refusal keeps the entry selected and the typed text in place.
  void ApplyItem() override {
    if (Closed || area_ == nullptr) return;
    T* live = RecordAt(CurrentIndex);
    std::unique_ptr<T> edited = live ? CopyOf(*live) : NewRecord(*area_);
    try {
      ReadFields(*edited);
      Validate(*edited, live);
    } catch (const TFieldError& error) {
      refuse_field(CommonPanel, windowTitle(), ErrorPrefix(), error);
      return;
    }
    const QString label = RecordLabel(*edited);
    if (live) {
      Commit(StoreChange(*live, std::move(edited)), QStringLiteral("Edit ") + label);
    } else {
      List& list = Records(*area_);
      const T* added = edited.get();
      Commit(ChangeList(list, list.size(), std::move(edited), area_, Scope()),
             QStringLiteral("Add ") + label);
      CurrentIndex = Entries->row_of(added);
      select_entry(CurrentIndex);
    }
    TParentForm::ApplyItem();
  }

  void RemoveItem(int index) override {
    const T* record = RecordAt(index);
    if (record == nullptr || area_ == nullptr) return;
    List& list = Records(*area_);
    for (size_t i = 0; i < list.size(); ++i) {
      if (list[i].get() != record) continue;
      const QString label = RecordLabel(*record);
      Commit(ChangeList<T>(list, i, nullptr, area_, Scope()), QStringLiteral("Delete ") + label);
      break;
    }
    select_entry(-1);
    ClearItem();
  }

  // The list follows the records; the record shown is shown afresh unless the user is editing it.
  void AreaChanged(uint32_t scope) override {
    if ((scope & Scope()) == 0 || area_ == nullptr) return;
    const void* current =
        CurrentIndex >= 0 && CurrentIndex < entry_count() ? entry_object(CurrentIndex) : nullptr;
    Refill();
    CurrentIndex = current ? Entries->row_of(current) : -1;
    select_entry(CurrentIndex);
    if (Dirty) return;
    if (CurrentIndex >= 0)
      ShowEntry(CurrentIndex);
    else if (current)
      ClearItem();
  }

  TArea* area() const { return area_; }
  T* RecordAt(int index) const {
    return index >= 0 && index < entry_count() ? static_cast<T*>(entry_object(index)) : nullptr;
  }

 protected:
  // The concrete editor's part.
  virtual List& Records(TArea& area) const = 0;
  virtual uint32_t Scope() const = 0;  // the ChangeScope bit of the list
  virtual QString EntryText(const T& record) const = 0;
  // The record in undo texts ("Help CITY", "Room 3001").
  virtual QString RecordLabel(const T& record) const = 0;
  // The first line of a refusal ("HELP: Bad information:").
  virtual QString ErrorPrefix() const = 0;
  virtual void ShowRecord(const T& record) = 0;
  virtual void ClearFields() = 0;
  // Reads every field into record; throws TFieldError for a field that cannot be stored.
  virtual void ReadFields(T& record) = 0;
  // Checks of the record as a whole (vnums); throws TFieldError.
  virtual void Validate(const T&, const T*) {}
  virtual std::unique_ptr<T> NewRecord(TArea& area) const = 0;
  virtual std::unique_ptr<T> CopyOf(const T& record) const = 0;
  // The step that stores edited over live: the record's contents replaced. An editor whose records the
  // world names elsewhere may add the changes that keep those names right.
  virtual std::unique_ptr<TChange> StoreChange(T& live, std::unique_ptr<T> edited) {
    return ChangeRecord(live, std::move(edited), area_, Scope());
  }

  // Fills the list from the records, in list order.
  void Refill() {
    std::vector<TEntryList::Entry> entries;
    const List& list = Records(*area_);
    entries.reserve(list.size());
    for (const auto& record : list)
      entries.push_back({EntryText(*record), record.get()});
    Entries->reset(std::move(entries));
    update_list_enabled();
  }

 private:
  TArea* area_ = nullptr;
};

}  // namespace tavro::ui
