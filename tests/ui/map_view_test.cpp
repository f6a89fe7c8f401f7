// The map read and driven without a numeric keypad, on the sample world and on small areas: the tool tip,
// Go To Room, the wheel, the View commands, the description for screen readers and the marks of exits
// that leave the area.
#include <QAccessible>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include "MainFixture.h"
#include "area/Area.h"
#include "area/Header.h"
#include "area/MapEditing.h"
#include "area/Rooms.h"
#include "ui/main/AreaManageForm.h"
#include "ui/main/ViewCommands.h"

using namespace tavro;
using namespace tavro::ui;
using namespace Qt::StringLiterals;

namespace {

testing::AreaFiles sample_areas() {
  testing::AreaFiles areas;
  for (const char* name : {"town.are", "market.are", "forest.are", "dungeon.are", "mill.are"})
    areas.emplace_back(QLatin1String(name), testing::read_file(QStringLiteral(TAVRO_SAMPLE_DIR "/mud/area/") +
                                                               QLatin1String(name)));
  return areas;
}

}  // namespace

class MapViewTest : public QObject, testing::MainWindowFixture {
  Q_OBJECT

 private:
  TAreaManageForm* open(TArea* area) {
    auto* window = qobject_cast<TAreaManageForm*>(form->open_area_window(area));
    QApplication::processEvents();
    return window;
  }
  static QPoint centre(TMapWidget* map, const TAreaRoom& room) {
    return QPoint(room.X * 4 * map->Zoom - map->offset_x(), room.Y * 4 * map->Zoom - map->offset_y());
  }
  static int32_t index_of(TArea* area, int32_t vnum) {
    const auto& rooms = area->Rooms->Items;
    for (size_t i = 0; i < rooms.size(); ++i)
      if (rooms[i]->Vnum == vnum) return static_cast<int32_t>(i);
    return -1;
  }
  static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key(key), modifiers);
  }
  static void wheel(QWidget* box, QPoint at, int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(at, box->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &event);
  }

 private slots:
  void init() {
    TAreaManageForm::Install();
    show_main_window(sample_areas(), QSize(1000, 700));
    QVERIFY(testing::copy_tree(QStringLiteral(TAVRO_SAMPLE_DIR "/mud/mudprogs"),
                               folder->path(u"mud/mudprogs"_s)));
    QVERIFY2(form->LoadWorld(folder->mud()), qPrintable(dialog(-1).join(u' ')));
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
  }

  void cleanup() {
    form.reset();
    const int unexpected = script->unexpected;
    tear_down();
    TMainForm::set_area_window_factory(nullptr);
    QCOMPARE(unexpected, 0);
  }

  void toolTipNamesTheRoomUnderThePointer() {
    TMapWidget* map = open(area_at(0))->Map();
    const TAreaRoom& room = *area_at(0)->Rooms->Items[index_of(area_at(0), 3002)];
    const QPoint at = centre(map, room);
    QHelpEvent event(QEvent::ToolTip, at, map->paint_box()->mapToGlobal(at));
    QApplication::sendEvent(map->paint_box(), &event);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(),
             u"Room 3002: Площадь, северо-западный угол\nSector: city\n"
             u"Exits: east to 3003, south to 3005, southeast to 3001"_s);
  }

  void goToRoomOpensTheAreaOfTheRoomAndSelectsIt() {
    QWidget* box = open(area_at(0))->Map()->paint_box();
    box->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), box);
    const auto go_to = [this](const QString& vnum) {
      QTimer::singleShot(0, this, [vnum] {
        auto* asked = qobject_cast<TGoToRoomForm*>(QApplication::activeModalWidget());
        if (!asked) return;
        QTest::keyClicks(asked->edVnum, vnum);
        QTest::keyClick(asked->edVnum, Qt::Key_Return);
      });
      press(Qt::Key_G, Qt::ControlModifier);
    };
    go_to(u"4001"_s);
    auto* window = qobject_cast<TAreaManageForm*>(form->ActiveAreaWindow());
    QVERIFY(window);
    QCOMPARE(window->Area, area_at(2));
    const int32_t index = index_of(area_at(2), 4001);
    QCOMPARE(window->Map()->SelectedRoom, index);
    QCOMPARE(window->Map()->MapLevel, area_at(2)->Rooms->Items[index]->Level);
    QCOMPARE(window->AreaPages->currentIndex(), int(TMDIChild::MapPage));
    QCOMPARE(window->Map()->status_panel(3), u"VNum:4001"_s);
    form->activateWindow();
    window->Map()->paint_box()->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), window->Map()->paint_box());
    go_to(u"99999"_s);
    QCOMPARE(dialog(-1), (QStringList{u"message"_s, u"Go To Room"_s, u"No loaded area has room 99999."_s}));
    QCOMPARE(form->ActiveAreaWindow(), static_cast<TMDIChild*>(window));
  }

  // The room under the pointer stays under it while the zoom changes; the wheel alone scrolls.
  void wheelScrollsAndCtrlWheelZoomsAroundThePointer() {
    TMapWidget* map = open(area_at(0))->Map();
    const int32_t index = index_of(area_at(0), 3009);
    const QPoint at = centre(map, *area_at(0)->Rooms->Items[index]);
    QCOMPARE(map->RoomAtPoint(at.x(), at.y()), index);
    for (const auto& [delta, zoom] : {std::pair{120, 20}, {120, 40}, {-120, 20}}) {
      wheel(map->paint_box(), at, delta, Qt::ControlModifier);
      QCOMPARE(map->Zoom, zoom);
      QCOMPARE(map->RoomAtPoint(at.x(), at.y()), index);
    }
    map->horizontal_bar()->setValue(0);
    map->vertical_bar()->setValue(0);
    wheel(map->paint_box(), at, -120, Qt::NoModifier);
    wheel(map->paint_box(), at, -120, Qt::ShiftModifier);
    QCOMPARE(
        QPoint(map->horizontal_bar()->value(), map->vertical_bar()->value()),
        QPoint(std::min(3, map->horizontal_bar()->maximum()), std::min(3, map->vertical_bar()->maximum())));
    QCOMPARE(map->offset_x(), map->horizontal_bar()->value() * 4 * map->Zoom);
  }

  // What a screen reader reads from the map: the selected room, following the selection.
  void theDescriptionFollowsTheSelection() {
    TMapWidget* map = open(area_at(0))->Map();
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(map->paint_box());
    QCOMPARE(box->text(QAccessible::Name), u"Map"_s);
    QCOMPARE(box->text(QAccessible::Description), u"No room selected."_s);
    QTest::mouseClick(map->paint_box(), Qt::LeftButton, {},
                      centre(map, *area_at(0)->Rooms->Items[index_of(area_at(0), 3002)]));
    QCOMPARE(box->text(QAccessible::Description),
             u"Room 3002: Площадь, северо-западный угол. Sector: city. "
             u"Exits: east to 3003, south to 3005, southeast to 3001."_s);
    press(Qt::Key_Right, Qt::ShiftModifier);
    QVERIFY(box->text(QAccessible::Description).startsWith(u"Room 3003: Площадь, северная сторона. "_s));
  }

  // Level and zoom from the View commands' keys; Ctrl with the numeric pad's + still makes a room up.
  void viewCommandsNeedNoNumericPad() {
    auto* window = open(area_at(0));
    TMapWidget* map = window->Map();
    QTest::mouseClick(map->paint_box(), Qt::LeftButton, {}, centre(map, *area_at(0)->Rooms->Items[0]));
    const size_t rooms = area_at(0)->Rooms->Items.size();
    const auto state = [&] { return std::make_pair(map->MapLevel, map->Zoom); };
    press(Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(state(), std::make_pair(1, 10));
    press(Qt::Key_Down, Qt::AltModifier);
    press(Qt::Key_Equal, Qt::ControlModifier);
    QCOMPARE(state(), std::make_pair(0, 20));
    press(Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(state(), std::make_pair(0, 10));
    press(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(area_at(0)->Rooms->Items.size(), rooms + 1);
    QCOMPARE(state(), std::make_pair(area_at(0)->Rooms->Items.back()->Level, 10));
    press(Qt::Key_4, Qt::ControlModifier);  // the Rooms page: the map's commands rest
    auto* view = form->findChild<TViewCommands*>();
    QVERIFY(!view->acZoomIn->isEnabled());
    QVERIFY(view->acGoToRoom->isEnabled());
    QCOMPARE(form->menuBar()->actions().at(2)->text(), u"&View"_s);
  }

  // Room 100 leads east into the other area and south to a vnum no area has: a green stub ending in a
  // purple square, and a magenta stub ending in a cross (zoom 10: stubs from 12 to 25 pixels out).
  void exitsLeavingTheAreaAreDrawn() {
    TArea& other = *world().Areas->Items.emplace_back(std::make_unique<TArea>(world().Areas.get()));
    other.Rooms->Add().Vnum = 500;
    TArea& area = *world().Areas->Items.emplace_back(std::make_unique<TArea>(world().Areas.get()));
    TAreaRoom& room = area.Rooms->Add();
    room.Vnum = 100;
    SetExit(room, DIR_EAST, 500);
    SetExit(room, DIR_SOUTH, 777);
    const QImage image = open(&area)->Map()->paint_box()->grab().toImage();
    QCOMPARE((QList<QRgb>{image.pixel(58, 40), image.pixel(65, 40), image.pixel(40, 58), image.pixel(38, 63),
                          image.pixel(42, 67), image.pixel(40, 75)}),
             (QList<QRgb>{qRgb(0, 128, 0), qRgb(128, 0, 128), qRgb(255, 0, 255), qRgb(255, 0, 255),
                          qRgb(255, 0, 255), qRgb(255, 255, 255)}));
  }
};

QTEST_MAIN(MapViewTest)
#include "map_view_test.moc"
