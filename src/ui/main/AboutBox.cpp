#include "ui/main/AboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavro::ui {

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ProductName(new QLabel(QStringLiteral("Tavro Areas Editor"), this)),
      Version(new QLabel(QStringLiteral("Version 1.0.1.6"), this)),
      Copyright(new QLabel(QStringLiteral("An editor of the area files of Tavro worlds"), this)),
      OKButton(new QPushButton(QStringLiteral("OK"), this)) {
  setWindowTitle(QStringLiteral("About"));
  QFont title_font = ProductName->font();
  title_font.setBold(true);
  title_font.setPointSizeF(title_font.pointSizeF() * 1.3);
  ProductName->setFont(title_font);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ProductName);
  layout->addWidget(Version);
  layout->addWidget(Copyright);
  layout->addWidget(OKButton, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tavro::ui
