#pragma once
// The World Check window: the problems of the loaded world, filtered by severity, checked again shortly
// after every change; a problem's record is a double click (or Enter) away.
#include <QDockWidget>
#include <QStringList>
#include <array>

#include "world/WorldCheck.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavro::ui {

class TMainForm;

// Opens the record's area window and goes to it: a room (or a reset, on the Rooms page) selected on the
// map, the other kinds on their editor's page with the record selected when the editor lists it. A record
// of an area that is no longer loaded is left alone.
void GoToRecord(TMainForm& main_form, const TRecordRef& record);

// The lists of the World Check and Find in World windows: one row per record, each row knowing its
// position in the window's results.
QTreeWidget* MakeRecordList(QWidget* parent, const QString& accessible_name, const QStringList& headers);
QTreeWidgetItem* MakeRecordItem(const QStringList& texts, size_t position);
size_t RecordItemPosition(const QTreeWidgetItem* item);

class TWorldCheckDock : public QDockWidget {
  Q_OBJECT

 public:
  explicit TWorldCheckDock(TMainForm* main_form);

  // Checks the world now and shows what is found.
  void Refresh();
  // The problems of the last check, all severities.
  const TWorldProblems& Problems() const { return problems_; }

  std::array<QCheckBox*, 3> SeverityShown{};  // "Errors", "Warnings", "Notes"
  QPushButton* CheckButton = nullptr;
  QLabel* Summary = nullptr;
  QTreeWidget* List = nullptr;

  // Quiet time after the last change before the world is checked again: typing-speed map edits stay
  // fast on a large world.
  static constexpr int kRefreshDelayMs = 300;

 private:
  void ScheduleRefresh();
  void Fill();
  void GoToItem(QTreeWidgetItem* item);

  TMainForm* main_form_;
  QTimer* refresh_timer_;
  TWorldProblems problems_;
};

}  // namespace tavro::ui
