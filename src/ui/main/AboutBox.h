#pragma once
// The about box: product, version and author lines.
#include <QDialog>

class QLabel;
class QPushButton;

namespace tavro::ui {

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  QLabel* ProductName;
  QLabel* Version;
  QLabel* Copyright;
  QPushButton* OKButton;
};

}  // namespace tavro::ui
