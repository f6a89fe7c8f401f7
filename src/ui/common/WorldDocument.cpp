#include "ui/common/WorldDocument.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>

#include "area/Changes.h"

namespace tavro::ui {

// One step of the history: the change was applied when it was made, so the first redo (which the stack
// runs on push) only counts it.
class TChangeCommand : public QUndoCommand {
 public:
  TChangeCommand(TWorldDocument& document, std::unique_ptr<TChange> change, const QString& text)
      : QUndoCommand(text), document_(document), change_(std::move(change)) {}

  void redo() override {
    if (!first_) change_->Apply();
    first_ = false;
    document_.Counted(*change_, +1);
  }
  void undo() override {
    change_->Revert();
    document_.Counted(*change_, -1);
  }

 private:
  TWorldDocument& document_;
  std::unique_ptr<TChange> change_;
  bool first_ = true;
};

TWorldDocument::TWorldDocument(QObject* parent) : QObject(parent), stack_(new QUndoStack(this)) {}

TWorldDocument::~TWorldDocument() {
  // The steps refer to the document; they go first.
  stack_->clear();
}

void TWorldDocument::Push(std::unique_ptr<TChange> change, const QString& text) {
  if (!change) return;
  DropUnreachableSavedStates();
  stack_->push(new TChangeCommand(*this, std::move(change), text));
}

// A new step drops the steps that were undone; an area whose saved state lay among them cannot get back
// to it by undo any more.
void TWorldDocument::DropUnreachableSavedStates() {
  for (auto& [area, count] : counts_)
    if (count.steps < count.saved) count.saved = -1;
}

void TWorldDocument::Counted(const TChange& change, int delta) {
  for (const TChange::Touch& touch : change.Touched()) {
    const bool was = IsModified(touch.area);
    auto [it, inserted] = counts_.try_emplace(touch.area);
    if (inserted) order_.push_back(touch.area);
    it->second.steps += delta;
    emit AreaChanged(touch.area, touch.scope);
    if (IsModified(touch.area) != was) emit ModifiedChanged(touch.area, !was);
  }
}

bool TWorldDocument::IsModified(const TArea* area) const {
  const auto it = counts_.find(area);
  return it != counts_.end() && it->second.steps != it->second.saved;
}

std::vector<TArea*> TWorldDocument::ModifiedAreas() const {
  std::vector<TArea*> areas;
  std::copy_if(order_.begin(), order_.end(), std::back_inserter(areas),
               [this](const TArea* area) { return IsModified(area); });
  return areas;
}

void TWorldDocument::MarkSaved(TArea* area) {
  const auto it = counts_.find(area);
  if (it == counts_.end() || it->second.saved == it->second.steps) return;
  it->second.saved = it->second.steps;
  emit ModifiedChanged(area, false);
}

void TWorldDocument::Forget(TArea* area) {
  stack_->clear();
  const bool was = IsModified(area);
  counts_.erase(area);
  order_.erase(std::remove(order_.begin(), order_.end(), area), order_.end());
  if (was) emit ModifiedChanged(area, false);
}

void TWorldDocument::Notify(TArea* area, uint32_t scope) {
  emit AreaChanged(area, scope);
}

}  // namespace tavro::ui
