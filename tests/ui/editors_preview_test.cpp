// The colour-code preview: what it paints for server colour codes, and the messages it gives for
// malformed ones.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QSet>
#include <QStatusBar>
#include <QTest>

#include "ui/editors/SingleVisualForm.h"

using tavro::ui::TSingleVisualForm;
using namespace Qt::StringLiterals;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kNavy = qRgb(0, 0, 128);

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TSingleVisualForm> form_;
  QImage image_;

  void paint(const QString& text) {
    form_->SetText(text);
    image_ = form_->paint_box()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  // The colours painted in one character cell of the last painting.
  QSet<QRgb> cell(int column, int row = 0) const {
    QSet<QRgb> colours;
    const int cw = form_->char_width();
    const int lh = form_->line_height();
    for (int y = row * lh; y < (row + 1) * lh && y < image_.height(); ++y)
      for (int x = column * cw; x < (column + 1) * cw && x < image_.width(); ++x)
        colours.insert(image_.pixel(x, y));
    return colours;
  }

  bool blank(int column, int row = 0) const { return cell(column, row) == QSet<QRgb>{kBlack}; }

  QRgb guide_pixel(int column) const {
    return image_.pixel(column * form_->char_width(), image_.height() - 1);
  }

 private slots:
  void init() {
    form_ = std::make_unique<TSingleVisualForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void windowIsSizedForEightyColumnsAndTwentyFourLines() {
    // One pixel more than 80 columns, so that the guide after the 80th column is visible.
    QCOMPARE(form_->paint_box()->width(), 80 * form_->char_width() + 1);
    QCOMPARE(form_->paint_box()->height(), 24 * form_->line_height());
  }

  void colourCodeShowsTheWordInItsColour() {
    paint(u"&RКомната"_s);
    QCOMPARE(form_->status_message(), QString());
    for (int column = 0; column < 7; ++column) {
      QVERIFY2(cell(column).contains(kRed), qPrintable(QString::number(column)));
      QVERIFY(!cell(column).contains(kSilver));
    }
    QVERIFY(blank(7));
  }

  // Each cell in exactly the colours listed: text colour and background, nothing else.
  void cellsShowTheirCodesColours() {
    const struct {
      const char16_t* text;
      int column, row;
      QSet<QRgb> colours;
    } cells[] = {
        {u"M", 0, 0, {kBlack, kSilver}},  // plain text
        {u"^bx&Yy&Dz", 1, 0, {kNavy, qRgb(255, 255, 0)}},
        {u"^bx&Yy&Dz", 2, 0, {kBlack, kSilver}},       // &D: back to silver on black
        {u"}Gx&dy", 0, 0, {kBlack, qRgb(0, 255, 0)}},  // blinking is a plain text colour
        {u"}Gx&dy", 1, 0, {kBlack, kSilver}},
        {u"&Ca\r\nb\nc\rd", 0, 1, {kBlack, qRgb(0, 255, 255)}},  // colours carry over to the next line
        {u"&Ca\r\nb\nc\rd", 0, 3, {kBlack, qRgb(0, 255, 255)}},
        {u"^R\tX", 7, 0, {kRed}},  // a tab moves to the ninth column over the background
        {u"&&", 1, 0, {kBlack}},   // a doubled start character shows once
        {u"^^", 1, 0, {kBlack}},
        {u"}}", 1, 0, {kBlack}},
        {u"&Ia&ib&Uc&ud&De", 5, 0, {kBlack}},  // style codes are consumed
    };
    for (const auto& expected : cells) {
      const QString text = QString::fromUtf16(expected.text);
      paint(text);
      QVERIFY2(!form_->paint_stopped(), qPrintable(text));
      QVERIFY2(cell(expected.column, expected.row) == expected.colours,
               qPrintable(u"%1 at %2, %3"_s.arg(text).arg(expected.column).arg(expected.row)));
    }
    // The characters before those cells are drawn.
    paint(u"^bx"_s);
    QVERIFY(cell(0).contains(kNavy));
    paint(u"^R\tX"_s);
    QVERIFY(cell(8).contains(kSilver));
    for (const QString& text : {u"&&"_s, u"^^"_s, u"}}"_s}) {
      paint(text);
      QVERIFY2(cell(0).contains(kSilver), qPrintable(text));
    }
    paint(u"&Ia&ib&Uc&ud&De"_s);
    for (int column = 0; column < 5; ++column)
      QVERIFY(!blank(column));
  }

  void guidesMarkColumnsSeventyTwoAndEighty() {
    paint(u"text"_s);
    QCOMPARE(guide_pixel(72), qRgb(0, 128, 0));
    QCOMPARE(guide_pixel(80), kRed);
    QCOMPARE(image_.pixel(72 * form_->char_width(), 0), qRgb(0, 128, 0));
  }

  // Painting stops at a malformed code with a message; what came before stays.
  void malformedCodesStopPainting_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("stop");  // the first cell left blank
    QTest::newRow("line ending in &") << u"ab&\r\nnext"_s << u"Unfinished color sequence!"_s << 2;
    QTest::newRow("^ with a special letter") << u"a^Db"_s << u"Incorrect color - D"_s << 1;
    QTest::newRow("unknown letter") << u"ab&qcd"_s << u"Incorrect color - q"_s << 2;
    QTest::newRow("reverse") << u"&Vx"_s << u"Reverse colors don't allowed now!"_s << 0;
    QTest::newRow("reverse, small") << u"&vx"_s << u"Reverse colors don't allowed now!"_s << 0;
  }

  void malformedCodesStopPainting() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(int, stop);
    paint(text);
    QVERIFY(form_->paint_stopped());
    QCOMPARE(form_->status_message(), message);
    if (stop > 0) QVERIFY(cell(stop - 1).contains(kSilver));
    QVERIFY(blank(stop));
    QVERIFY(blank(stop + 1));
    QVERIFY(blank(0, 1));
    // The guides are drawn only under a finished painting.
    QCOMPARE(guide_pixel(72), kBlack);
    QCOMPARE(guide_pixel(80), kBlack);
  }

  void messageStaysUntilAnotherReplacesIt() {
    paint(u"&"_s);
    QCOMPARE(form_->status_message(), u"Unfinished color sequence!"_s);
    paint(u"fine"_s);
    QVERIFY(!form_->paint_stopped());
    QCOMPARE(form_->status_message(), u"Unfinished color sequence!"_s);
    paint(u"&V"_s);
    QCOMPARE(form_->status_message(), u"Reverse colors don't allowed now!"_s);
  }

  // The message is drawn in the application's colours, not in the preview's black.
  void messageContrastsWithTheStatusBar() {
    paint(u"&q"_s);
    auto* status_bar = form_->findChild<QStatusBar*>(u"SB"_s);
    auto* label = status_bar->findChild<QLabel*>();
    QCOMPARE(label->text(), u"Incorrect color - q"_s);
    // Taken from the window, as it shows: the window's black shows wherever the bar paints nothing.
    const QImage bar = form_->grab(status_bar->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
    const QColor background = bar.pixelColor(bar.width() - 1, bar.height() / 2);
    QCOMPARE(background, QApplication::palette().color(QPalette::Window));
    const int contrast =
        std::abs(background.lightness() - label->palette().color(label->foregroundRole()).lightness());
    QVERIFY2(contrast > 100, qPrintable(QString::number(contrast)));
  }

  void thirtyLinesScrollBySixLines() {
    paint(u"one\r\ntwo"_s);
    QCOMPARE(form_->scroll_bar()->maximum(), 0);
    QStringList lines;
    for (int i = 0; i < 30; ++i)
      lines << u"line %1"_s.arg(i);
    paint(lines.join(u"\r\n"_s));
    const int lh = form_->line_height();
    QCOMPARE(form_->scroll_bar()->maximum(), 6 * lh);
    QCOMPARE(form_->scroll_bar()->value(), 0);

    // Scrolled by one line, the first row shows what the second showed.
    const QImage top = form_->paint_box()->grab().toImage();
    form_->scroll_bar()->setValue(lh);
    const QImage scrolled = form_->paint_box()->grab().toImage();
    QCOMPARE(scrolled.copy(0, 0, 80 * form_->char_width(), lh),
             top.copy(0, lh, 80 * form_->char_width(), lh));
  }

  void linesEndAtCrLfLfOrCr() {
    QCOMPARE(TSingleVisualForm::split_lines(u"a\r\nb\nc\rd"_s), u"a,b,c,d"_s.split(u','));
    QCOMPARE(TSingleVisualForm::split_lines(u"a\r\n\r\n"_s), (QStringList{u"a"_s, QString()}));
    QCOMPARE(TSingleVisualForm::split_lines(QString()), QStringList());
  }
};

QTEST_MAIN(PreviewTest)
#include "editors_preview_test.moc"
