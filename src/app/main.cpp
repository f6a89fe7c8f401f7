// The editor: the main window runs the start-up (areas list, world, loading) on its first showing.
#include <QApplication>

#include "ui/main/AreaManageForm.h"
#include "ui/main/MainForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tavro Editor"));
  tavro::ui::TAreaManageForm::Install();
  tavro::ui::TMainForm main_form;
  main_form.showMaximized();
  return QApplication::exec();
}
