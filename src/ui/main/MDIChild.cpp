#include "ui/main/MDIChild.h"

#include <QCloseEvent>

#include "area/Area.h"
#include "area/Header.h"
#include "ui/common/TextConversion.h"
#include "ui/common/WorldDocument.h"
#include "ui/main/MainForm.h"

namespace tavro::ui {

TMDIChild::TMDIChild(TMainForm* main_form, QWidget* parent) : QWidget(parent), MainForm(main_form) {
  // The caption shows the header's name and the unsaved mark, whoever changed them.
  connect(&MainForm->Document(), &TWorldDocument::ModifiedChanged, this,
          [this](TArea* area, bool) { OnAreaChanged(area); });
  connect(&MainForm->Document(), &TWorldDocument::AreaChanged, this,
          [this](TArea* area, uint32_t) { OnAreaChanged(area); });
}

TMDIChild::~TMDIChild() = default;

void TMDIChild::SetArea(TArea* area) {
  Area = area;
  RefreshCaption();
}

void TMDIChild::ShowPage(int) {}

bool TMDIChild::ApplyPendingEdits() {
  return true;
}

bool TMDIChild::IsModified() const {
  return Area && MainForm->Document().IsModified(Area);
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

void TMDIChild::OnAreaChanged(TArea* area) {
  if (area == Area) RefreshCaption();
}

void TMDIChild::closeEvent(QCloseEvent* event) {
  if (Area && !MainForm->ConfirmCloseArea(Area)) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace tavro::ui
