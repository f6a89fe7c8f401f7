#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tavro Editor"));
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Tavro Editor"));
  window.setCentralWidget(new QMdiArea(&window));
  window.resize(1200, 800);
  window.show();
  return app.exec();
}
