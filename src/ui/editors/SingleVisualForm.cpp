#include "ui/editors/SingleVisualForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace tavro::ui {

namespace {

const QColor kSilver(192, 192, 192);
const QColor kBlack(0, 0, 0);
const QColor kGuide72(0, 128, 0);
const QColor kGuide80(255, 0, 0);
constexpr int kTabWidth = 8;
constexpr int kColumns = 80;
constexpr int kRows = 24;

// The server's colour letters; an invalid colour when the letter is none of them.
QColor colour_of_letter(QChar letter) {
  switch (letter.unicode()) {
    case 'x':
      return QColor(0, 0, 0);
    case 'r':
      return QColor(128, 0, 0);
    case 'g':
      return QColor(0, 128, 0);
    case 'y':
      return QColor(128, 128, 0);
    case 'b':
      return QColor(0, 0, 128);
    case 'p':
      return QColor(128, 0, 128);
    case 'c':
      return QColor(0, 128, 128);
    case 'w':
      return QColor(192, 192, 192);
    case 'z':
      return QColor(128, 128, 128);
    case 'R':
      return QColor(255, 0, 0);
    case 'G':
      return QColor(0, 255, 0);
    case 'Y':
      return QColor(255, 255, 0);
    case 'B':
      return QColor(0, 0, 255);
    case 'P':
      return QColor(255, 0, 255);
    case 'C':
      return QColor(0, 255, 255);
    case 'W':
      return QColor(255, 255, 255);
    case 'O':
      return QColor(255, 128, 64);
    default:
      return QColor();
  }
}

bool is_code_start(QChar ch) {
  return ch == u'&' || ch == u'^' || ch == u'}';
}

bool is_special_code(QChar code) {
  return QStringLiteral("DIUVdiuv").contains(code);
}

}  // namespace

// What the codes read so far have set; carried from one line to the next within one painting.
struct TSingleVisualForm::Pen {
  QColor text = kSilver;
  QColor background = kBlack;
  bool italic = false;
  bool underline = false;
};

class TSingleVisualForm::PaintBox : public QWidget {
 public:
  explicit PaintBox(TSingleVisualForm* form) : QWidget(form), form_(form) {
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBlack);
    setPalette(palette);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    form_->PBPaint(painter);
  }

 private:
  TSingleVisualForm* form_;
};

TSingleVisualForm::TSingleVisualForm(QWidget* parent) : QDialog(parent) {
  FormCreate();
}

void TSingleVisualForm::FormCreate() {
  setWindowTitle(QStringLiteral("SingleVisualForm"));
  setObjectName(QStringLiteral("SingleVisualForm"));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kBlack);
  setPalette(palette);
  setAutoFillBackground(true);

  PreviewFont = QFont(QStringLiteral("Courier New"));
  PreviewFont.setStyleHint(QFont::TypeWriter);
  PreviewFont.setFixedPitch(true);
  PreviewFont.setPixelSize(11);
  // A terminal's crisp glyphs: every pixel of a letter is in the letter's own colour.
  PreviewFont.setStyleStrategy(QFont::NoAntialias);
  const QFontMetrics metrics(PreviewFont);
  CharWidth = metrics.horizontalAdvance(u'W');
  LineHeight = metrics.height();
  Ascent = metrics.ascent();

  PB = new PaintBox(this);
  PB->setObjectName(QStringLiteral("PB"));
  PB->setFont(PreviewFont);
  // One pixel beyond the 80 columns, or the guide drawn after the 80th column would fall outside.
  PB->setMinimumSize(char_width() * kColumns + 1, line_height() * kRows);
  SBar = new QScrollBar(Qt::Vertical, this);
  SBar->setObjectName(QStringLiteral("SBar"));
  SBar->setSingleStep(line_height());
  connect(SBar, &QScrollBar::valueChanged, PB, qOverload<>(&QWidget::update));
  SB = new QStatusBar(this);
  SB->setObjectName(QStringLiteral("SB"));
  SB->setSizeGripEnabled(false);
  // The window's black would reach the status bar and leave its message black on black: the status bar
  // takes the application's colours, every role set so that none is inherited from the window.
  QPalette ordinary = QApplication::palette(SB);
  for (int group = 0; group < QPalette::NColorGroups; ++group)
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
      const auto g = static_cast<QPalette::ColorGroup>(group);
      const auto r = static_cast<QPalette::ColorRole>(role);
      ordinary.setBrush(g, r, ordinary.brush(g, r));
    }
  SB->setPalette(ordinary);
  SB->setAutoFillBackground(true);
  SBPanel = new QLabel(SB);
  SBPanel->setMinimumWidth(50);
  SB->addWidget(SBPanel, 1);

  auto* paint_row = new QHBoxLayout;
  paint_row->setContentsMargins(0, 0, 0, 0);
  paint_row->setSpacing(0);
  paint_row->addWidget(PB, 1);
  paint_row->addWidget(SBar);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addLayout(paint_row, 1);
  column->addWidget(SB);
  adjustSize();
}

QWidget* TSingleVisualForm::paint_box() const {
  return PB;
}

QString TSingleVisualForm::status_message() const {
  return SBPanel->text();
}

QStringList TSingleVisualForm::split_lines(const QString& text) {
  QStringList lines;
  QString current;
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar ch = text.at(i);
    if (ch == u'\r' || ch == u'\n') {
      lines.append(current);
      current.clear();
      if (ch == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
    } else {
      current.append(ch);
    }
  }
  if (!current.isEmpty()) lines.append(current);
  return lines;
}

void TSingleVisualForm::SetText(const QString& text) {
  Text = text;
  Lines = split_lines(text);
  SetScrollRange();
}

void TSingleVisualForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  SetScrollRange();
}

void TSingleVisualForm::SetScrollRange() {
  const int overflow = line_height() * static_cast<int>(Lines.size()) - PB->height();
  SBar->setRange(0, overflow > 0 ? overflow : 0);
  SBar->setPageStep(PB->height());
  SBar->setValue(0);
  PB->update();
}

void TSingleVisualForm::stop_painting(const QString& message) {
  SBPanel->setText(message);
  PaintStopped = true;
}

void TSingleVisualForm::PBPaint(QPainter& painter) {
  PaintStopped = false;
  const int lh = line_height();
  const int cw = char_width();
  Pen pen;
  for (qsizetype i = 0; i < Lines.size() && !PaintStopped; ++i) {
    const int y = static_cast<int>(i) * lh - SBar->value();
    if (y >= PB->height()) break;
    paint_line(painter, Lines.at(i), y, pen);
  }
  if (PaintStopped) return;
  painter.setPen(kGuide72);
  painter.drawLine(72 * cw, 0, 72 * cw, PB->height());
  painter.setPen(kGuide80);
  painter.drawLine(80 * cw, 0, 80 * cw, PB->height());
}

void TSingleVisualForm::paint_line(QPainter& painter, const QString& line, int y, Pen& pen) {
  const int cw = char_width();
  int x = 0;
  for (qsizetype pos = 0; pos < line.size(); ++pos) {
    const QChar ch = line.at(pos);
    if (ch == u'\t') {
      draw_cell(painter, x, y, kTabWidth * cw, QString(kTabWidth, u' '), pen);
      x += kTabWidth * cw;
    } else if (is_code_start(ch)) {
      if (read_code(line, pos, pen) == CodeResult::Doubled) {
        draw_cell(painter, x, y, cw, QString(ch), pen);
        x += cw;
      }
    } else {
      draw_cell(painter, x, y, cw, QString(ch), pen);
      x += cw;
    }
    if (PaintStopped) return;
  }
}

// pos stands on the start character; on return it stands on the last character of the code.
TSingleVisualForm::CodeResult TSingleVisualForm::read_code(const QString& line, qsizetype& pos, Pen& pen) {
  const QChar start = line.at(pos);
  if (!is_code_start(start)) {
    stop_painting(QStringLiteral("Bad color sequence start code!"));
    return CodeResult::Stopped;
  }
  ++pos;
  if (pos >= line.size()) {
    stop_painting(QStringLiteral("Unfinished color sequence!"));
    return CodeResult::Stopped;
  }
  const QChar code = line.at(pos);
  if (code == start) return CodeResult::Doubled;
  if (start == u'&' && is_special_code(code)) {
    apply_special_code(code, pen);
    return PaintStopped ? CodeResult::Stopped : CodeResult::Applied;
  }
  const QColor colour = colour_of_letter(code);
  if (!colour.isValid()) {
    stop_painting(QStringLiteral("Incorrect color - ") + code);
    return CodeResult::Stopped;
  }
  (start == u'^' ? pen.background : pen.text) = colour;
  return CodeResult::Applied;
}

// &I/&i switch italic on and &U/&u underline on; &D, the full reset, switches both off again.
void TSingleVisualForm::apply_special_code(QChar code, Pen& pen) {
  switch (code.unicode()) {
    case 'D':
      pen.text = kSilver;
      pen.background = kBlack;
      pen.italic = false;
      pen.underline = false;
      break;
    case 'd':
      pen.text = kSilver;
      break;
    case 'I':
    case 'i':
      pen.italic = true;
      break;
    case 'U':
    case 'u':
      pen.underline = true;
      break;
    default:
      stop_painting(QStringLiteral("Reverse colors don't allowed now!"));
      break;
  }
}

void TSingleVisualForm::draw_cell(QPainter& painter, int x, int y, int width, const QString& text,
                                  const Pen& pen) {
  const int lh = line_height();
  painter.fillRect(x, y, width, lh, pen.background);
  QFont font = PreviewFont;
  font.setItalic(pen.italic);
  font.setUnderline(pen.underline);
  painter.setFont(font);
  painter.setPen(pen.text);
  painter.drawText(x, y + Ascent, text);
}

}  // namespace tavro::ui
