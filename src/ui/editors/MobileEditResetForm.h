#pragma once
// How many of a mobile a reset loads into the room, shown beside how many resets of the whole world
// load it already.
#include <QDialog>
#include <cstdint>
#include <optional>

class QLabel;
class QPushButton;
class QSpinBox;

namespace tavro::ui {

class TMobileEditResetForm : public QDialog {
  Q_OBJECT

 public:
  TMobileEditResetForm(QWidget* parent, const QString& mobile, int32_t current);

  // The number on Ok; nothing on Cancel.
  static std::optional<int32_t> EditCount(QWidget* parent, const QString& mobile, int32_t current,
                                          int32_t number);

  QLabel* lblName = nullptr;
  QLabel* lblCount = nullptr;
  QSpinBox* edCount = nullptr;
  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;
};

}  // namespace tavro::ui
