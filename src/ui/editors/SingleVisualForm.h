#pragma once
// The colour-code preview: shows a server text as a player's terminal would, on black in a fixed-pitch
// font, interpreting the '&', '^' and '}' colour codes, with guides at columns 72 and 80. The first
// malformed code stops painting and is named in the status bar.
#include <QColor>
#include <QDialog>
#include <QFont>
#include <QString>
#include <QStringList>

class QLabel;
class QPainter;
class QScrollBar;
class QStatusBar;

namespace tavro::ui {

class TSingleVisualForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSingleVisualForm(QWidget* parent = nullptr);

  // Keeps the text, splits it into lines (CR LF, LF or CR), sets the scroll range and scrolls to the top.
  void SetText(const QString& text);

  const QString& text() const { return Text; }
  QWidget* paint_box() const;
  QScrollBar* scroll_bar() const { return SBar; }
  QString status_message() const;
  bool paint_stopped() const { return PaintStopped; }
  // Text metrics of the preview font: the width and the height of "W".
  int char_width() const { return CharWidth; }
  int line_height() const { return LineHeight; }

  static QStringList split_lines(const QString& text);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  class PaintBox;
  struct Pen;
  enum class CodeResult { Applied, Doubled, Stopped };

  void FormCreate();
  void SetScrollRange();
  void PBPaint(QPainter& painter);
  void paint_line(QPainter& painter, const QString& line, int y, Pen& pen);
  CodeResult read_code(const QString& line, qsizetype& pos, Pen& pen);
  void apply_special_code(QChar code, Pen& pen);
  void stop_painting(const QString& message);
  void draw_cell(QPainter& painter, int x, int y, int width, const QString& text, const Pen& pen);

  PaintBox* PB = nullptr;
  QScrollBar* SBar = nullptr;
  QStatusBar* SB = nullptr;
  QLabel* SBPanel = nullptr;
  QFont PreviewFont;
  int CharWidth = 0;
  int LineHeight = 0;
  int Ascent = 0;
  QStringList Lines;
  QString Text;
  bool PaintStopped = false;
};

}  // namespace tavro::ui
