#include "ui/editors/TextField.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>
#include <cmath>

#include "ui/common/TextConversion.h"

namespace tavro::ui {

TTextField::TTextField(QWidget* parent) : QPlainTextEdit(parent) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  setFont(font);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabChangesFocus(true);
}

void TTextField::setText(std::string_view text) {
  setPlainText(from_cp1251_lines(text));
}

std::string TTextField::text() const {
  // toPlainText would turn a no-break space (a Windows-1251 character) into a blank; the raw text keeps
  // it and only its block separators need to become line breaks.
  QString raw = document()->toRawText();
  raw.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
  return to_cp1251_lines(raw);
}

int TTextField::guideX() const {
  const qreal column = QFontMetricsF(font()).horizontalAdvance(u'W');
  return static_cast<int>(
      std::lround(contentOffset().x() + document()->documentMargin() + kGuideColumn * column));
}

void TTextField::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::Mid));
  const int x = guideX();
  painter.drawLine(x, 0, x, viewport()->height());
}

}  // namespace tavro::ui
