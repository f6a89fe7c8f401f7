// The colour-code preview: what it paints for server colour codes, and the messages it gives for
// malformed ones.
#include <QImage>
#include <QScrollBar>
#include <QSet>
#include <QTest>

#include "ui/editors/SingleVisualForm.h"

using tavro::ui::TSingleVisualForm;

namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kSilver = qRgb(192, 192, 192);

// The colours painted in one character cell (column, row) of the preview.
QSet<QRgb> cell_colours(const TSingleVisualForm& form, const QImage& image, int column, int row) {
  QSet<QRgb> colours;
  const int cw = form.char_width();
  const int lh = form.line_height();
  for (int y = row * lh; y < (row + 1) * lh && y < image.height(); ++y)
    for (int x = column * cw; x < (column + 1) * cw && x < image.width(); ++x)
      colours.insert(image.pixel(x, y));
  return colours;
}

bool cell_is_blank(const TSingleVisualForm& form, const QImage& image, int column, int row) {
  return cell_colours(form, image, column, row) == QSet<QRgb>{kBlack};
}

QRgb pixel_at_bottom(const QImage& image, int x) {
  return image.pixel(x, image.height() - 1);
}

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TSingleVisualForm> form_;

  QImage paint(const QString& text) {
    form_->SetText(text);
    return form_->paint_box()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

 private slots:
  void init() {
    form_ = std::make_unique<TSingleVisualForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void windowIsSizedForEightyColumnsAndTwentyFourLines() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("SingleVisualForm"));
    // One pixel more than 80 columns, so that the guide after the 80th column is visible.
    QCOMPARE(form_->paint_box()->width(), 80 * form_->char_width() + 1);
    QCOMPARE(form_->paint_box()->height(), 24 * form_->line_height());
  }

  void colourCodeShowsTheWordInItsColour() {
    const QImage image = paint(QStringLiteral("&RКомната"));
    QVERIFY(!form_->paint_stopped());
    QCOMPARE(form_->status_message(), QString());
    for (int column = 0; column < 7; ++column) {
      const QSet<QRgb> colours = cell_colours(*form_, image, column, 0);
      QVERIFY2(colours.contains(qRgb(255, 0, 0)), qPrintable(QString::number(column)));
      QVERIFY(!colours.contains(kSilver));
    }
    QVERIFY(cell_is_blank(*form_, image, 7, 0));
  }

  void plainTextIsSilverOnBlack() {
    const QImage image = paint(QStringLiteral("M"));
    QCOMPARE(cell_colours(*form_, image, 0, 0), (QSet<QRgb>{kBlack, kSilver}));
  }

  void doubledStartCharacterShowsItOnce() {
    for (const QString& text : {QStringLiteral("&&"), QStringLiteral("^^"), QStringLiteral("}}")}) {
      const QImage image = paint(text);
      QVERIFY(!form_->paint_stopped());
      QVERIFY2(cell_colours(*form_, image, 0, 0).contains(kSilver), qPrintable(text));
      QVERIFY2(cell_is_blank(*form_, image, 1, 0), qPrintable(text));
    }
  }

  void backgroundCodeFillsTheCell() {
    const QImage image = paint(QStringLiteral("^bx&Yy&Dz"));
    QVERIFY(cell_colours(*form_, image, 0, 0).contains(qRgb(0, 0, 128)));
    QCOMPARE(cell_colours(*form_, image, 1, 0), (QSet<QRgb>{qRgb(0, 0, 128), qRgb(255, 255, 0)}));
    // &D: silver on black again.
    QCOMPARE(cell_colours(*form_, image, 2, 0), (QSet<QRgb>{kBlack, kSilver}));
  }

  void blinkingCodeIsAPlainTextColour() {
    const QImage image = paint(QStringLiteral("}Gx&dy"));
    QCOMPARE(cell_colours(*form_, image, 0, 0), (QSet<QRgb>{kBlack, qRgb(0, 255, 0)}));
    QCOMPARE(cell_colours(*form_, image, 1, 0), (QSet<QRgb>{kBlack, kSilver}));
  }

  void coloursCarryOverToTheNextLine() {
    const QImage image = paint(QStringLiteral("&Ca\r\nb\nc\rd"));
    for (int row = 0; row < 4; ++row)
      QCOMPARE(cell_colours(*form_, image, 0, row), (QSet<QRgb>{kBlack, qRgb(0, 255, 255)}));
  }

  void guidesMarkColumnsSeventyTwoAndEighty() {
    const QImage image = paint(QStringLiteral("text"));
    const int cw = form_->char_width();
    QCOMPARE(pixel_at_bottom(image, 72 * cw), qRgb(0, 128, 0));
    QCOMPARE(pixel_at_bottom(image, 80 * cw), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(72 * cw, 0), qRgb(0, 128, 0));
  }

  void lineEndingInAmpersandIsUnfinished() {
    const QImage image = paint(QStringLiteral("ab&\r\nnext"));
    QVERIFY(form_->paint_stopped());
    QCOMPARE(form_->status_message(), QStringLiteral("Unfinished color sequence!"));
    QVERIFY(cell_colours(*form_, image, 1, 0).contains(kSilver));
    QVERIFY(cell_is_blank(*form_, image, 0, 1));
    QCOMPARE(pixel_at_bottom(image, 72 * form_->char_width()), kBlack);
    QCOMPARE(pixel_at_bottom(image, 80 * form_->char_width()), kBlack);
  }

  void backgroundCodeHasNoSpecialLetters() {
    const QImage image = paint(QStringLiteral("a^Db"));
    QVERIFY(form_->paint_stopped());
    QCOMPARE(form_->status_message(), QStringLiteral("Incorrect color - D"));
    QVERIFY(!cell_is_blank(*form_, image, 0, 0));
    QVERIFY(cell_is_blank(*form_, image, 1, 0));
  }

  void unknownColourLetterStopsPainting() {
    const QImage image = paint(QStringLiteral("ab&qcd"));
    QCOMPARE(form_->status_message(), QStringLiteral("Incorrect color - q"));
    QVERIFY(cell_is_blank(*form_, image, 2, 0));
    QVERIFY(cell_is_blank(*form_, image, 3, 0));
  }

  void reverseColoursAreRefused() {
    for (const QString& text : {QStringLiteral("&Vx"), QStringLiteral("&vx")}) {
      const QImage image = paint(text);
      QVERIFY(form_->paint_stopped());
      QCOMPARE(form_->status_message(), QStringLiteral("Reverse colors don't allowed now!"));
      QVERIFY(cell_is_blank(*form_, image, 0, 0));
    }
  }

  void styleCodesAreConsumedWithoutError() {
    const QImage image = paint(QStringLiteral("&Ia&ib&Uc&ud&De"));
    QVERIFY(!form_->paint_stopped());
    for (int column = 0; column < 5; ++column)
      QVERIFY(!cell_is_blank(*form_, image, column, 0));
    QVERIFY(cell_is_blank(*form_, image, 5, 0));
  }

  void messageStaysUntilAnotherReplacesIt() {
    paint(QStringLiteral("&"));
    QCOMPARE(form_->status_message(), QStringLiteral("Unfinished color sequence!"));
    paint(QStringLiteral("fine"));
    QVERIFY(!form_->paint_stopped());
    QCOMPARE(form_->status_message(), QStringLiteral("Unfinished color sequence!"));
    paint(QStringLiteral("&V"));
    QCOMPARE(form_->status_message(), QStringLiteral("Reverse colors don't allowed now!"));
  }

  void tabMovesToTheNinthColumn() {
    const QImage image = paint(QStringLiteral("^R\tX"));
    for (int column = 0; column < 8; ++column)
      QCOMPARE(cell_colours(*form_, image, column, 0), QSet<QRgb>{qRgb(255, 0, 0)});
    QVERIFY(cell_colours(*form_, image, 8, 0).contains(kSilver));
  }

  void thirtyLinesScrollBySixLines() {
    QStringList lines;
    for (int i = 0; i < 30; ++i)
      lines << QStringLiteral("line %1").arg(i);
    paint(lines.join(QStringLiteral("\r\n")));
    QCOMPARE(form_->scroll_bar()->minimum(), 0);
    QCOMPARE(form_->scroll_bar()->maximum(), 6 * form_->line_height());
    QCOMPARE(form_->scroll_bar()->value(), 0);

    // Scrolled by one line, the first row shows what the second showed.
    const QImage top = form_->paint_box()->grab().toImage();
    form_->scroll_bar()->setValue(form_->line_height());
    const QImage scrolled = form_->paint_box()->grab().toImage();
    const int lh = form_->line_height();
    QCOMPARE(scrolled.copy(0, 0, 80 * form_->char_width(), lh),
             top.copy(0, lh, 80 * form_->char_width(), lh));
  }

  void shortTextDoesNotScroll() {
    paint(QStringLiteral("one\r\ntwo"));
    QCOMPARE(form_->scroll_bar()->maximum(), 0);
  }

  void linesEndAtCrLfLfOrCr() {
    QCOMPARE(
        TSingleVisualForm::split_lines(QStringLiteral("a\r\nb\nc\rd")),
        (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
    QCOMPARE(TSingleVisualForm::split_lines(QStringLiteral("a\r\n\r\n")),
             (QStringList{QStringLiteral("a"), QString()}));
    QCOMPARE(TSingleVisualForm::split_lines(QString()), QStringList());
  }
};

QTEST_MAIN(PreviewTest)
#include "editors_preview_test.moc"
