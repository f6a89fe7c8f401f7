#pragma once
// Reversible changes of the world's records. Every edit the editor makes is one of these, so that it can
// be taken back and made again. A change is made already applied (by the function that makes it);
// Revert and Apply then alternate, each leaving the records exactly as they were before the other.
// Changes are taken back last first, so the records a change refers to are, whenever it is reverted or
// applied again, in the state it left them: it may keep plain pointers to records that stay in their
// lists, and owns the records it took out of a list.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace tavro {

class TArea;
class TAreaHeader;
class TAreaMobile;
class TAreaObject;
class TAreaRoom;
class TAreaRooms;
struct TAreaHelpItem;

// What part of an area a change touches; the views refresh what they show of it.
enum ChangeScope : uint32_t {
  kRoomsChanged = 1u << 0,  // rooms added, removed or changed, exits included
  kRoomsLaidOut = 1u << 6,  // with kRoomsChanged: the map lays the rooms out afresh (rooms were created)
  kResetsChanged = 1u << 1,
  kHeaderChanged = 1u << 2,
  kHelpsChanged = 1u << 3,
  kObjectsChanged = 1u << 4,
  kMobilesChanged = 1u << 5,
};

class TChange {
 public:
  struct Touch {
    TArea* area;
    uint32_t scope;
  };

  virtual ~TChange() = default;
  virtual void Apply() = 0;
  virtual void Revert() = 0;

  // Every area the change touches, once each, with the union of what it touches there.
  const std::vector<Touch>& Touched() const { return touched_; }
  void AddTouch(TArea* area, uint32_t scope);

 private:
  std::vector<Touch> touched_;
};

// Several changes as one: applied in order, reverted in the reverse order.
class TChangeGroup : public TChange {
 public:
  void Add(std::unique_ptr<TChange> part);
  bool empty() const { return parts_.empty(); }
  void Apply() override;
  void Revert() override;

 private:
  std::vector<std::unique_ptr<TChange>> parts_;
};

// A record has just entered its owning list (listed) or is about to leave it. A record whose parts the
// area lists besides (a mobile's shops) brings them into those lists or takes them out; others have
// nothing to do.
template <class T>
void record_listed(T&, bool) {}
void record_listed(TAreaMobile& mobile, bool listed);

// A record put into its owning list at an index, or taken out of it (then Insert is false).
template <class T>
class TListChange : public TChange {
 public:
  using List = std::vector<std::unique_ptr<T>>;

  // Applies at once: inserts record at index, or (record null) takes the record at index out.
  TListChange(List& list, size_t index, std::unique_ptr<T> record)
      : list_(list), index_(index), held_(std::move(record)), insert_(held_ != nullptr) {
    Apply();
  }
  void Apply() override { insert_ ? put() : take(); }
  void Revert() override { insert_ ? take() : put(); }
  // The record while it is out of the list (held by the change); null while it is in.
  const T* held() const { return held_.get(); }
  size_t index() const { return index_; }

 private:
  void put() {
    list_.insert(list_.begin() + static_cast<std::ptrdiff_t>(index_), std::move(held_));
    record_listed(*list_[index_], true);
  }
  void take() {
    record_listed(*list_[index_], false);
    held_ = std::move(list_[index_]);
    list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(index_));
  }

  List& list_;
  size_t index_;
  std::unique_ptr<T> held_;
  bool insert_;
};

// A record's contents replaced by other contents (an editor's OK): the record object stays where it is,
// so every reference to it stays good; the change holds the contents that are not in the list.
// swap_record(T&, T&) exchanges two records' contents and keeps each one's owner.
template <class T>
class TRecordChange : public TChange {
 public:
  // Applies at once: live takes replacement's contents.
  TRecordChange(T& live, std::unique_ptr<T> replacement) : live_(live), held_(std::move(replacement)) {
    Apply();
  }
  void Apply() override { swap_record(live_, *held_); }
  void Revert() override { swap_record(live_, *held_); }

 private:
  T& live_;
  std::unique_ptr<T> held_;
};

// A record's contents replaced as one change touching area in scope.
template <class T>
std::unique_ptr<TChange> ChangeRecord(T& live, std::unique_ptr<T> replacement, TArea* area, uint32_t scope) {
  auto change = std::make_unique<TRecordChange<T>>(live, std::move(replacement));
  change->AddTouch(area, scope);
  return change;
}

// A record put into its list at index, or (record null) taken out of it, as one change.
template <class T>
std::unique_ptr<TChange> ChangeList(std::vector<std::unique_ptr<T>>& list, size_t index,
                                    std::unique_ptr<T> record, TArea* area, uint32_t scope) {
  auto change = std::make_unique<TListChange<T>>(list, index, std::move(record));
  change->AddTouch(area, scope);
  return change;
}

void swap_record(TAreaHeader& live, TAreaHeader& held);
void swap_record(TAreaHelpItem& live, TAreaHelpItem& held);
// The area's shop and repair-shop lists hold the live mobile's shops afterwards, and nothing of held's.
void swap_record(TAreaMobile& live, TAreaMobile& held);
void swap_record(TAreaObject& live, TAreaObject& held);
// The room's place on the map stays with the live room: it belongs to the layout, not to the contents.
void swap_record(TAreaRoom& live, TAreaRoom& held);

// The exit of a room in one direction made to lead to a vnum (created when absent; its other fields are
// kept). Reverting gives the exit its old target, or removes an exit that did not exist.
std::unique_ptr<TChange> ChangeExit(TAreaRoom& room, int32_t dir, int32_t to_vnum);

}  // namespace tavro
