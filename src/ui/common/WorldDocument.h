#pragma once
// The one road by which the world's records change: every edit, from the map or an editor, is a change
// put on the world's undo stack here. The document counts each area's steps, so that an area is modified
// exactly when its count differs from the count at its last load or save, and tells every view which area
// changed and what part of it, whether the change was just made, undone or redone.
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class QUndoStack;

namespace tavro {
class TArea;
class TChange;
}  // namespace tavro

namespace tavro::ui {

class TWorldDocument : public QObject {
  Q_OBJECT

 public:
  explicit TWorldDocument(QObject* parent = nullptr);
  ~TWorldDocument() override;

  QUndoStack* UndoStack() const { return stack_; }

  // Puts a change that is already applied on the undo stack as one step named text ("Create Room 3034"),
  // and tells the views. A null change does nothing.
  void Push(std::unique_ptr<TChange> change, const QString& text);

  bool IsModified(const TArea* area) const;
  // The areas with unsaved changes, in the order they were first changed.
  std::vector<TArea*> ModifiedAreas() const;
  // The area is on disk as it is now.
  void MarkSaved(TArea* area);
  // The area's records are about to be dropped or replaced (changes discarded, area reloaded): the steps
  // of the history may refer to them, so the history is cleared, and the area's count is forgotten.
  void Forget(TArea* area);
  // Something the stack does not carry changed (a file name given by Save As): the views refresh.
  void Notify(TArea* area, uint32_t scope);

 signals:
  void AreaChanged(tavro::TArea* area, uint32_t scope);
  void ModifiedChanged(tavro::TArea* area, bool modified);

 private:
  friend class TChangeCommand;
  struct AreaCount {
    int64_t steps = 0;
    int64_t saved = 0;  // -1: the saved state was dropped from the history and cannot come back
  };
  // A step touching these areas was done (+1) or undone (-1).
  void Counted(const TChange& change, int delta);
  void DropUnreachableSavedStates();

  QUndoStack* stack_;
  std::unordered_map<const TArea*, AreaCount> counts_;
  std::vector<TArea*> order_;  // areas in the order they were first changed
};

}  // namespace tavro::ui
