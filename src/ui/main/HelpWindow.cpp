#include "ui/main/HelpWindow.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

// The resources live in the static UI library; this makes sure they are linked in.
static void init_help_resources() {
  Q_INIT_RESOURCE(help);
}

namespace tavro::ui {

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), Browser(new QTextBrowser(this)) {
  init_help_resources();
  setWindowTitle(QStringLiteral("Tavro Editor Help"));
  Browser->setOpenExternalLinks(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Browser);
  resize(640, 560);
}

QUrl THelpWindow::TopicUrl(const QString& topic) {
  init_help_resources();
  const QString page = QStringLiteral(":/help/") + topic.toLower() + QStringLiteral(".html");
  if (!topic.isEmpty() && QFile::exists(page)) return QUrl(QStringLiteral("qrc") + page);
  return QUrl(QStringLiteral("qrc:/help/index.html"));
}

void THelpWindow::ShowTopic(const QString& topic) {
  Browser->setSource(TopicUrl(topic));
  show();
  raise();
  activateWindow();
}

}  // namespace tavro::ui
