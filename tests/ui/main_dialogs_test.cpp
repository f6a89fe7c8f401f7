// The small windows around the main window: area picker, sector dialogs, help, about box, loading window.
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Header.h"
#include "ui/main/AboutBox.h"
#include "ui/main/GetAreaForm.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/LoadAreasForm.h"
#include "ui/main/MDIChild.h"
#include "ui/main/SectorColorsForm.h"
#include "ui/main/SelectSectorForm.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;
using tavro::ui::testing::small_area;

namespace {

// The colour painted at the middle of entry row's swatch.
QColor swatch_pixel(TSectorListForm& form, int row) {
  const QRect item = form.LBColors->visualRect(form.LBColors->model()->index(row, 0));
  const QImage image = form.LBColors->viewport()->grab().toImage();
  return image.pixelColor(item.left() + 2 + 12, item.top() + 2 + 6);
}

const std::vector<std::string> kSectors = {"inside", "city", "field", "forest"};

}  // namespace

class MainDialogsTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private slots:
  void init() { script_dialogs(); }
  void cleanup() { tear_down(); }

  // ---- Area picker ----

  void the_picker_lists_the_names_sorted_and_opens_the_picked_area() {
    load({{u"zeta.are"_s, small_area("Zeta")}, {u"alpha.are"_s, small_area("Alpha")}});
    TGetAreaForm picker(form.get());
    QCOMPARE(picker.LBAreas->count(), 2);
    QCOMPARE(picker.LBAreas->item(0)->text(), u"alpha.are"_s);
    QCOMPARE(picker.LBAreas->currentRow(), 0);
    QVERIFY(picker.OkButton->isEnabled());
    picker.OkButton->click();
    QCOMPARE(picker.result(), int(QDialog::Accepted));
    QCOMPARE(window_count(), 1);
    QCOMPARE(form->ActiveAreaWindow()->Area->Header->Name, std::string("Alpha"));

    // Picking it again brings the same window forward.
    TGetAreaForm again(form.get());
    again.OkButton->click();
    QCOMPARE(window_count(), 1);
  }

  void an_empty_list_leaves_only_new() {
    load({});
    TGetAreaForm picker(form.get());
    QVERIFY(!picker.LBAreas->isEnabled());
    QVERIFY(!picker.OkButton->isEnabled());
    QVERIFY(picker.NewButton->isEnabled());
    picker.NewButton->click();
    QCOMPARE(picker.result(), int(QDialog::Accepted));
    QCOMPARE(world().Areas->Items.size(), size_t(1));
    QCOMPARE(window_count(), 1);
    QVERIFY(area_at(0)->IsNew);
  }

  void enter_picks_only_with_a_selection() {
    load({{u"one.are"_s, small_area("One")}});
    TGetAreaForm picker(form.get());
    picker.show();
    picker.LBAreas->clearSelection();
    QTest::keyClick(picker.LBAreas, Qt::Key_Return);
    QCOMPARE(window_count(), 0);
    QVERIFY(picker.isVisible());
    picker.LBAreas->setCurrentRow(0);
    QTest::keyClick(picker.LBAreas, Qt::Key_Return);
    QCOMPARE(window_count(), 1);
    QVERIFY(!picker.isVisible());
  }

  void the_picked_name_finds_its_area_when_the_lists_are_out_of_step() {
    TWorld world;
    for (const char* file : {"new2.are", "new1.are"}) {
      world.Areas->Items.push_back(std::make_unique<TArea>(world.Areas.get()));
      world.Areas->Items.back()->Header->FileName = file;
    }
    // Saved in the other order than made: the names list runs the other way round.
    world.AreaNames = {"new1.are", "new2.are"};
    QCOMPARE(TGetAreaForm::FindArea(world, "new1.are"), world.Areas->Items[1].get());
    QCOMPARE(TGetAreaForm::FindArea(world, "NEW2.ARE"), world.Areas->Items[0].get());
    QCOMPARE(TGetAreaForm::FindArea(world, "other.are"), static_cast<TArea*>(nullptr));
    // An area whose header lost its file name is still found by its position.
    world.Areas->Items[1]->Header->FileName.clear();
    world.AreaNames = {"lost.are", "new2.are"};
    QCOMPARE(TGetAreaForm::FindArea(world, "lost.are"), world.Areas->Items[0].get());
  }

  // ---- Sector colours ----

  void the_colours_dialog_shows_and_edits_a_swatch() {
    TSectorColorsForm colors;
    colors.SetSectorNames(kSectors);
    colors.SetColors({"0=255", "1=65280", "2=16711680"});
    colors.show();
    QVERIFY(QTest::qWaitForWindowExposed(&colors));
    QCOMPARE(colors.LBColors->count(), 4);
    QCOMPARE(colors.LBColors->visualRect(colors.LBColors->model()->index(0, 0)).height(), 16);
    // Sector 3 has no colour: its swatch stays unfilled rather than black.
    QCOMPARE((QList<QColor>{swatch_pixel(colors, 0), swatch_pixel(colors, 1), swatch_pixel(colors, 2),
                            swatch_pixel(colors, 3)}),
             (QList<QColor>{Qt::red, Qt::green, Qt::blue, colors.LBColors->palette().color(QPalette::Base)}));

    script->replies = {QColor(Qt::blue), DialogAnswer::Cancel};
    colors.LBColorsDblClick(0);
    QCOMPARE(script->shown.back().kind, u"color"_s);
    QCOMPARE(script->shown.back().text, QColor(Qt::red).name());
    QCOMPARE(colors.GetColors(), (std::vector<std::string>{"0=16711680", "1=65280", "2=16711680"}));
    QCOMPARE(swatch_pixel(colors, 0), QColor(Qt::blue));
    colors.LBColorsDblClick(1);
    QCOMPARE(colors.GetColors()[1], std::string("1=65280"));
    // A sector without an entry gets one.
    script->replies = {QColor(1, 2, 3)};
    colors.LBColorsDblClick(3);
    QCOMPARE(colors.GetColors().back(), std::string("3=197121"));
    QCOMPARE(script->unexpected, 0);
  }

  void the_sector_colours_command_writes_the_chosen_colour() {
    load({});
    const QString file = folder->path(u"mud/system/SectorColors.lst"_s);
    const auto run_dialog = [&](bool ok) {
      QTimer::singleShot(0, this, [ok] {
        auto* dialog = qobject_cast<TSectorColorsForm*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->LBColors->item(0)->text(), u"inside"_s);
        dialog->LBColorsDblClick(0);
        (ok ? dialog->Button1 : dialog->Button2)->click();
      });
      form->acSectorColors->trigger();
    };
    const QByteArray before = testing::read_file(file);
    script->replies = {QColor(Qt::blue)};
    run_dialog(false);
    QCOMPARE(testing::read_file(file), before);

    script->replies = {QColor(Qt::blue)};
    run_dialog(true);
    QVERIFY(testing::read_file(file).contains("inside=16711680"));
    QCOMPARE(world().sector_color(0), 16711680);
    QCOMPARE(script->unexpected, 0);
  }

  void the_picker_returns_the_preselected_or_clicked_sector() {
    TSelectSectorForm picker;
    picker.SetSectorNames(kSectors);
    picker.SetColors({"0=0", "1=0", "2=0", "3=0"});
    picker.SetSelected(3);
    QTimer::singleShot(0, &picker, [&picker] { picker.Button1->click(); });
    QCOMPARE(picker.exec(), int(QDialog::Accepted));
    QCOMPARE(picker.Selected, 3);

    QTimer::singleShot(0, &picker, [&picker] {
      const QRect row = picker.LBColors->visualRect(picker.LBColors->model()->index(1, 0));
      QTest::mouseClick(picker.LBColors->viewport(), Qt::LeftButton, {}, row.center());
      QTest::keyClick(&picker, Qt::Key_Return);
    });
    QCOMPARE(picker.exec(), int(QDialog::Accepted));
    QCOMPARE(picker.Selected, 1);

    QTimer::singleShot(0, &picker, [&picker] { QTest::keyClick(&picker, Qt::Key_Escape); });
    QCOMPARE(picker.exec(), int(QDialog::Rejected));
  }

  // ---- Help, about, loading ----

  void an_unknown_topic_shows_the_contents_and_the_map_help_names_the_keys() {
    QCOMPARE(THelpWindow::TopicUrl(u"NO_SUCH"_s), QUrl(u"qrc:/help/index.html"_s));
    THelpWindow help;
    help.ShowTopic(u"MAP_INFO"_s);
    for (const QString& key : {u"Shift + Ctrl + direction"_s, u"Numeric-pad *"_s, u"Ctrl+1 to Ctrl+6"_s})
      QVERIFY2(help.Browser->toPlainText().contains(key), qPrintable(key));
  }

  void the_about_box_names_the_version_and_closes_on_enter() {
    TAboutBox about;
    QCOMPARE(about.Version->text(), u"Version 1.0.1.6"_s);
    QTimer::singleShot(0, &about, [&about] { QTest::keyClick(&about, Qt::Key_Return); });
    QCOMPARE(about.exec(), int(QDialog::Accepted));
  }

  void the_loading_window_follows_the_loop() {
    TLoadAreasForm loading;
    loading.Start(3);
    QCOMPARE((QList<int>{loading.ProgressBar->minimum(), loading.ProgressBar->maximum(),
                         loading.ProgressBar->value()}),
             (QList<int>{0, 3, 0}));
    QVERIFY(loading.AreaNameLabel->text().isEmpty());
    loading.ShowArea(2, u"two.are"_s);
    QCOMPARE(loading.ProgressBar->value(), 2);
    QCOMPARE(loading.AreaNameLabel->text(), u"two.are"_s);
  }
};

QTEST_MAIN(MainDialogsTest)
#include "main_dialogs_test.moc"
