#pragma once
// The base of every area window: ties a child window of the main window to the area it shows, keeps its
// caption (with the unsaved-changes mark) and asks before a window with unsaved changes closes.
#include <QWidget>

class QCloseEvent;

namespace tavro {
class TArea;
}

namespace tavro::ui {

class TMainForm;

class TMDIChild : public QWidget {
  Q_OBJECT

 public:
  // Page numbers of the area window, as the main window's page commands use them.
  enum Page { MapPage = 0, StatsPage = 1, HelpsPage = 2, RoomsPage = 3, ObjectsPage = 4, MobilesPage = 5 };

  explicit TMDIChild(TMainForm* main_form, QWidget* parent = nullptr);
  ~TMDIChild() override;

  // Binds the window to its area (not owned) and sets the caption. The area window overrides it to fill
  // itself, calling this one first.
  virtual void SetArea(TArea* area);
  // Selects one of the pages; the base has none, so it does nothing.
  virtual void ShowPage(int page);

  // Stores what the window's editors hold unapplied; false when an editor refused (it said why).
  virtual bool ApplyPendingEdits();
  bool IsModified() const;
  // Caption: the header's name, " v.", version, " (", file name, ")", and " *" while unsaved changes exist.
  QString AreaCaption() const;
  void RefreshCaption();

  TArea* Area = nullptr;
  TMainForm* MainForm;

 protected:
  // Applies pending edits, then asks Save / Discard / Cancel when the area has unsaved changes (through the
  // main window).
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnAreaChanged(TArea* area);
};

}  // namespace tavro::ui
