#pragma once
// The editor's own help, bundled as HTML pages; a topic is opened by its keyword ("MAP_INFO").
#include <QWidget>

class QTextBrowser;

namespace tavro::ui {

class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  // The page of a topic keyword; the contents page for a keyword with no page of its own.
  static QUrl TopicUrl(const QString& topic);
  void ShowTopic(const QString& topic);

  QTextBrowser* Browser;
};

}  // namespace tavro::ui
