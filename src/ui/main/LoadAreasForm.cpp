#include "ui/main/LoadAreasForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace tavro::ui {

TLoadAreasForm::TLoadAreasForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      Label1(new QLabel(QStringLiteral("Loading"), this)),
      AreaNameLabel(new QLabel(this)),
      ProgressBar(new QProgressBar(this)) {
  setWindowTitle(QStringLiteral("Load Areas"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(AreaNameLabel);
  layout->addWidget(ProgressBar);
  setStyleSheet(QStringLiteral("TLoadAreasForm { border: 1px solid palette(mid); }"));
  resize(320, 90);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TLoadAreasForm::Start(int count) {
  ProgressBar->setRange(0, count);
  ProgressBar->setValue(0);
  AreaNameLabel->clear();
}

void TLoadAreasForm::ShowArea(int position, const QString& name) {
  AreaNameLabel->setText(name);
  ProgressBar->setValue(position);
}

}  // namespace tavro::ui
