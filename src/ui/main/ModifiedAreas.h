#pragma once
// The one record of which areas hold changes that are not on disk yet. The main window owns it; the map,
// the editors and the save commands mark and clear areas through it, and the area windows show its mark.
#include <QObject>
#include <vector>

namespace tavro {
class TArea;
}

namespace tavro::ui {

class TModifiedAreas : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  void mark(TArea* area);
  void clear(TArea* area);
  bool contains(const TArea* area) const;
  bool empty() const { return areas_.empty(); }
  // In the order they were first marked.
  const std::vector<TArea*>& areas() const { return areas_; }

 signals:
  void changed(tavro::TArea* area, bool modified);

 private:
  std::vector<TArea*> areas_;
};

}  // namespace tavro::ui
