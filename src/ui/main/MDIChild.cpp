#include "ui/main/MDIChild.h"

#include <QCloseEvent>

#include "area/Area.h"
#include "area/Header.h"
#include "ui/common/TextConversion.h"
#include "ui/main/MainForm.h"
#include "ui/main/ModifiedAreas.h"

namespace tavro::ui {

TMDIChild::TMDIChild(TMainForm* main_form, QWidget* parent) : QWidget(parent), MainForm(main_form) {
  connect(&MainForm->ModifiedAreas(), &TModifiedAreas::changed, this,
          [this](TArea* area, bool) { OnModifiedChanged(area); });
}

TMDIChild::~TMDIChild() = default;

void TMDIChild::SetArea(TArea* area) {
  Area = area;
  RefreshCaption();
}

void TMDIChild::ShowPage(int) {}

void TMDIChild::MarkModified() {
  if (Area) MainForm->ModifiedAreas().mark(Area);
}

bool TMDIChild::IsModified() const {
  return Area && MainForm->ModifiedAreas().contains(Area);
}

QString TMDIChild::AreaCaption() const {
  if (!Area) return QString();
  const TAreaHeader& header = *Area->Header;
  QString caption = from_cp1251(header.Name) + QStringLiteral(" v.") + QString::number(header.Version) +
                    QStringLiteral(" (") + from_cp1251(header.FileName) + u')';
  if (IsModified()) caption += QStringLiteral(" *");
  return caption;
}

void TMDIChild::RefreshCaption() {
  setWindowTitle(AreaCaption());
}

void TMDIChild::OnModifiedChanged(TArea* area) {
  if (area == Area) RefreshCaption();
}

void TMDIChild::closeEvent(QCloseEvent* event) {
  if (IsModified() && !MainForm->ConfirmCloseArea(Area)) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace tavro::ui
