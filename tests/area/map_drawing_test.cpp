// Drawing one level through a recording canvas: squares and sector colours, the selection frame, exit
// colours, line and arrowhead geometry for every direction, stubs towards other levels, the grey shadow,
// the "somewhere" mark, and culling to a visible rectangle.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "area/Area.h"
#include "area/MapDrawing.h"
#include "area/Rooms.h"
#include "area/SpatialIndex.h"
#include "map_recording_canvas.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {
namespace {

using test::DrawCall;
using test::RecordingCanvas;

class MapDrawingTest : public ::testing::Test {
 protected:
  TAreaRoom& placed(int32_t vnum, int32_t x, int32_t y, int32_t level = 0, int32_t sector = 0) {
    TAreaRoom& r = rooms.Add();
    r.Vnum = vnum;
    r.X = x;
    r.Y = y;
    r.Level = level;
    r.Sector = sector;
    r.Unplaced = false;
    return r;
  }
  static TAreaDoor& link(TAreaRoom& from, int32_t direction, int32_t to, uint32_t flags = 0) {
    TAreaDoor& door = from.EnsureDoor(direction);
    door.ToVnum = to;
    door.Flags = flags;
    return door;
  }
  void draw(DrawLevelParams params) { DrawLevel(rooms, canvas, params, palette); }
  static DrawLevelParams cell(int32_t s, int32_t level = 0) {
    DrawLevelParams p;
    p.cell_size = s;
    p.level = level;
    return p;
  }

  TAreaRooms rooms{nullptr};
  RecordingCanvas canvas;
  SectorPalette palette{std::vector<std::string>{"0=255", "1=16711680", "2=abc", "03=65280", "5=65280"}};
};

const Color kSectorRed{255, 0, 0};
const Color kSectorBlue{0, 0, 255};

DrawCall call(const char* op, Color pen, Color brush, std::vector<Point> points) {
  return DrawCall{op, pen, brush, std::move(points), {}};
}

TEST(SectorPaletteTest, LooksUpTheDecimalSectorNumber) {
  const SectorPalette palette(
      std::vector<std::string>{"0=255", "1=16711680", "2=abc", "03=65280", "4=", "4=255"});
  EXPECT_EQ(palette.color_of(0), (Color{255, 0, 0}));
  EXPECT_EQ(palette.color_of(1), (Color{0, 0, 255}));
  EXPECT_EQ(palette.color_of(2), colors::kBlack) << "a value that is not a number";
  EXPECT_EQ(palette.color_of(3), colors::kBlack) << "\"03\" is not how 3 is written";
  EXPECT_EQ(palette.color_of(4), colors::kBlack) << "the first entry of a name counts";
  EXPECT_EQ(palette.color_of(7), colors::kBlack);
  EXPECT_EQ(Color::from_platform(0x00336699), (Color{0x99, 0x66, 0x33}));
  EXPECT_EQ((Color{0x99, 0x66, 0x33}).to_platform(), 0x00336699U);
}

TEST_F(MapDrawingTest, RoomSquareInItsSectorColourWithAWhitePen) {
  placed(1, 1, 1, 0, 1);
  DrawLevelParams p = cell(10);
  p.off_x = 5;
  p.off_y = 7;
  draw(p);
  ASSERT_EQ(canvas.calls.size(), 1U);
  EXPECT_EQ(canvas.calls[0], call("rectangle", colors::kWhite, kSectorBlue, {{25, 23}, {45, 43}}));
}

TEST_F(MapDrawingTest, SelectedRoomIsFramedBlackThenWhite) {
  placed(1, 3, 1);
  placed(2, 1, 1);
  DrawLevelParams p = cell(10);
  p.selected = 1;
  draw(p);
  ASSERT_EQ(canvas.calls.size(), 4U);
  canvas.calls[1].pen = canvas.calls[2].pen = colors::kWhite;  // a frame is drawn with the brush only
  EXPECT_EQ(canvas.calls,
            (std::vector<DrawCall>{call("rectangle", colors::kWhite, kSectorRed, {{110, 30}, {130, 50}}),
                                   call("frame", colors::kWhite, colors::kBlack, {{30, 30}, {50, 50}}),
                                   call("frame", colors::kWhite, colors::kWhite, {{31, 31}, {49, 49}}),
                                   call("rectangle", colors::kWhite, kSectorRed, {{32, 32}, {48, 48}})}));
}

TEST_F(MapDrawingTest, GreyedLevelHasGreyRoomsSilverExitsAndNoSelection) {
  link(placed(1, 1, 1, 0, 1), DIR_EAST, 2, EX_ISDOOR | EX_LOCKED);
  placed(2, 2, 1);
  DrawLevelParams p = cell(10);
  p.selected = 0;
  p.greyed = true;
  draw(p);
  EXPECT_TRUE(canvas.of("frame").empty());
  const auto squares = canvas.of("rectangle");
  ASSERT_EQ(squares.size(), 2U);
  EXPECT_EQ(squares[0], call("rectangle", colors::kGrey, colors::kGrey, {{30, 30}, {50, 50}}));
  ASSERT_EQ(std::make_tuple(canvas.of("polyline").size(), canvas.of("polygon").size()),
            std::make_tuple(1U, 1U));
  EXPECT_EQ(std::make_tuple(canvas.of("polyline")[0].pen, canvas.of("polygon")[0].pen,
                            canvas.of("polygon")[0].brush),
            std::make_tuple(colors::kSilver, colors::kSilver, colors::kSilver));
}

// Line colour joins both doors' flags; each arrowhead shows its own door only.
TEST_F(MapDrawingTest, ExitLinesBetweenNeighboursInBothDirections) {
  link(placed(1, 1, 1), DIR_EAST, 2, EX_ISDOOR);
  link(placed(2, 2, 1), DIR_WEST, 1, EX_ISDOOR | EX_CLOSED | EX_LOCKED);
  draw(cell(10));
  const std::vector<DrawCall> expected = {
      call("rectangle", colors::kWhite, kSectorRed, {{30, 30}, {50, 50}}),
      call("polyline", colors::kRed, kSectorRed, {{52, 40}, {54, 40}, {66, 40}, {68, 40}}),
      call("polygon", colors::kLime, colors::kLime, {{67, 37}, {70, 40}, {67, 43}}),
      call("rectangle", colors::kWhite, kSectorRed, {{70, 30}, {90, 50}}),
      call("polyline", colors::kRed, kSectorRed, {{68, 40}, {66, 40}, {54, 40}, {52, 40}}),
      call("polygon", colors::kRed, colors::kRed, {{53, 43}, {50, 40}, {53, 37}}),
  };
  for (DrawCall& c : canvas.calls)  // a line is drawn with the pen only
    if (c.op == "polyline") c.brush = kSectorRed;
  EXPECT_EQ(canvas.calls, expected);
}

TEST_F(MapDrawingTest, TheStrongestFlagOfEitherDoorColoursTheLine) {
  struct Case {
    uint32_t own, reverse;
    bool has_reverse;
    Color line, head;
  };
  const std::vector<Case> cases = {
      {0, 0, false, colors::kGreen, colors::kGreen}, {8, 0, false, colors::kGreen, colors::kGreen},
      {1, 0, false, colors::kLime, colors::kLime},   {0, 1, true, colors::kLime, colors::kGreen},
      {0, 2, true, colors::kBlue, colors::kGreen},   {3, 0, false, colors::kBlue, colors::kBlue},
      {1, 6, true, colors::kRed, colors::kLime},     {5, 0, false, colors::kRed, colors::kRed},
      {2, 1, true, colors::kBlue, colors::kBlue},
  };
  for (const Case& c : cases) {
    rooms.Clear();
    canvas.calls.clear();
    link(placed(1, 1, 1), DIR_SOUTH, 2, c.own);
    TAreaRoom& other = placed(2, 1, 2);
    if (c.has_reverse) link(other, DIR_NORTH, 77, c.reverse);  // the reverse door counts wherever it leads
    draw(cell(10));
    ASSERT_EQ(canvas.of("polyline").size(), 1U);
    EXPECT_EQ(std::make_tuple(canvas.of("polyline")[0].pen, canvas.of("polygon")[0].brush),
              std::make_tuple(c.line, c.head))
        << "own " << c.own << " reverse " << c.reverse;
  }
}

// Targets on another level get a stub of 7s/2 towards the exit's direction; s = 30 keeps the table's
// fractions apart (s/3 = 10, 4s/3 = 40, 43s/30 = 43, k = 8).
TEST_F(MapDrawingTest, StubsAndArrowheadsForEveryFlatDirection) {
  struct Case {
    int32_t direction;
    Point u;
    std::vector<Point> head;
  };
  const std::vector<Case> cases = {
      {DIR_NORTH, {0, -1}, {{230, 175}, {240, 165}, {250, 175}}},
      {DIR_EAST, {1, 0}, {{305, 230}, {315, 240}, {305, 250}}},
      {DIR_SOUTH, {0, 1}, {{230, 305}, {240, 315}, {250, 305}}},
      {DIR_WEST, {-1, 0}, {{175, 250}, {165, 240}, {175, 230}}},
      {DIR_NORTHEAST, {1, -1}, {{302, 165}, {315, 165}, {315, 178}}},
      {DIR_NORTHWEST, {-1, -1}, {{178, 165}, {165, 165}, {165, 178}}},
      {DIR_SOUTHEAST, {1, 1}, {{302, 315}, {315, 315}, {315, 302}}},
      {DIR_SOUTHWEST, {-1, 1}, {{178, 315}, {165, 315}, {165, 302}}},
  };
  for (const Case& c : cases) {
    rooms.Clear();
    canvas.calls.clear();
    link(placed(1, 2, 2), c.direction, 2);
    placed(2, 2, 2, 1);  // above: the same cell on another level
    draw(cell(30));
    const auto at = [&](int32_t along) { return Point{240 + along * c.u.x, 240 + along * c.u.y}; };
    SCOPED_TRACE("direction " + std::to_string(c.direction));
    const auto lines = canvas.of("polyline");
    const auto heads = canvas.of("polygon");
    ASSERT_EQ(std::make_tuple(lines.size(), heads.size()), std::make_tuple(1U, 1U));
    EXPECT_EQ(lines[0].points, (std::vector<Point>{at(38), at(46), at(59), at(67)}));
    EXPECT_EQ(heads[0].points, c.head);
  }
}

TEST_F(MapDrawingTest, UpAndDownArrowheadsStandBesideTheRoom) {
  TAreaRoom& room = placed(1, 2, 2);
  link(room, DIR_UP, 2, EX_ISDOOR);
  link(room, DIR_DOWN, 3);
  placed(2, 2, 2, 1);
  placed(3, 5, 5, -1);
  draw(cell(30));
  EXPECT_TRUE(canvas.of("polyline").empty());
  const auto heads = canvas.of("polygon");
  ASSERT_EQ(heads.size(), 2U);
  EXPECT_EQ(heads[0], call("polygon", colors::kLime, colors::kLime, {{276, 225}, {291, 225}, {283, 210}}));
  EXPECT_EQ(heads[1], call("polygon", colors::kGreen, colors::kGreen, {{276, 255}, {291, 255}, {283, 270}}));
}

TEST_F(MapDrawingTest, ExitToItselfHasOnlyAnArrowhead) {
  link(placed(1, 1, 1), DIR_EAST, 1);
  draw(cell(10));
  EXPECT_TRUE(canvas.of("polyline").empty());
  ASSERT_EQ(canvas.of("polygon").size(), 1U);
  EXPECT_EQ(canvas.of("polygon")[0].points, (std::vector<Point>{{27, 37}, {30, 40}, {27, 43}}));
}

TEST_F(MapDrawingTest, ExitSomewhereIsASmallDiamondAtTheUpperLeft) {
  link(placed(1, 1, 1), DIR_SOMEWHERE, 2, EX_ISDOOR | EX_CLOSED);
  placed(2, 7, 7);
  draw(cell(10));
  EXPECT_TRUE(canvas.of("polyline").empty());
  const auto marks = canvas.of("polygon");
  ASSERT_EQ(marks.size(), 1U);
  EXPECT_EQ(marks[0],
            call("polygon", colors::kBlue, colors::kBlue, {{24, 35}, {26, 33}, {28, 35}, {26, 37}}));
}

TEST_F(MapDrawingTest, OnlyPlacedRoomsOfTheLevelAndExitsToPlacedRoomsAreDrawn) {
  TAreaRoom& room = placed(1, 1, 1);
  link(room, DIR_NORTH, 0);
  link(room, DIR_EAST, 99);  // no such room
  link(room, DIR_SOUTH, 2);  // unplaced
  TAreaRoom& lost = placed(2, 1, 2);
  lost.Unplaced = true;
  placed(3, 4, 4, 1);  // another level
  draw(cell(10));
  ASSERT_EQ(canvas.calls.size(), 1U);
  EXPECT_EQ(std::tie(canvas.calls[0].op, canvas.calls[0].points[0]),
            std::make_tuple("rectangle", Point{30, 30}));
}

TEST_F(MapDrawingTest, PaintMapShowsTheLevelBelowAsAShadowFirst) {
  placed(1, 1, 1, 0);
  placed(2, 2, 2, -1);
  placed(3, 3, 3, -2);
  PaintMap(rooms, canvas, 0, 1, 10, 0, 0);
  ASSERT_EQ(canvas.calls.size(), 2U);
  EXPECT_EQ(canvas.calls[0], call("rectangle", colors::kGrey, colors::kGrey, {{67, 67}, {87, 87}}));
  EXPECT_EQ(std::tie(canvas.calls[1].points, canvas.calls[1].pen),
            std::make_tuple(std::vector<Point>{{30, 30}, {50, 50}}, colors::kWhite));
}

TEST_F(MapDrawingTest, SectorColoursComeFromTheWorldOfTheArea) {
  TWorld world;
  world.SectorColors = {"0=65280", "1=255"};
  TArea& area = *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get()));
  TAreaRoom& r = area.Rooms->Add();
  r.Vnum = 1;
  r.X = r.Y = 1;
  r.Sector = 1;
  DrawLevel(*area.Rooms, canvas, cell(10));
  ASSERT_EQ(canvas.calls.size(), 1U);
  EXPECT_EQ(canvas.calls[0].brush, kSectorRed);
  canvas.calls.clear();
  TAreaRooms orphan(nullptr);
  TAreaRoom& lone = orphan.Add();
  lone.X = lone.Y = 1;
  DrawLevel(orphan, canvas, cell(10));
  EXPECT_EQ(canvas.calls.at(0).brush, colors::kBlack);
}

// The calls that can reach a rectangle, in order: painting them gives the rectangle's pixels.
std::vector<DrawCall> touching(const std::vector<DrawCall>& calls, const Rect& visible) {
  std::vector<DrawCall> found;
  for (const DrawCall& c : calls) {
    const Rect b = c.bounds();
    if (b.right >= visible.left && b.left <= visible.right && b.bottom >= visible.top &&
        b.top <= visible.bottom)
      found.push_back(c);
  }
  return found;
}

TEST_F(MapDrawingTest, CullingKeepsEverythingThatReachesTheVisibleRectangle) {
  std::mt19937 random(5);
  constexpr int32_t kSide = 30;
  for (int32_t i = 0; i < kSide * kSide; ++i)
    placed(i + 1, 1 + i % kSide, 1 + i / kSide, (i % 7 == 0) ? 1 : 0);
  // Mostly exits to nearby rooms, some across the whole map: long lines that cross the visible
  // rectangle with both ends outside it must be kept.
  const std::vector<int32_t> near = {-kSide - 1, -kSide, -kSide + 1, -1, 1, kSide - 1, kSide, kSide + 1};
  for (int32_t e = 0; e < 3000; ++e) {
    const int32_t from = static_cast<int32_t>(random() % rooms.Items.size());
    const int32_t to = e % 20 == 0 ? static_cast<int32_t>(random() % (kSide * kSide))
                                   : std::clamp(from + near[random() % near.size()], 0, kSide * kSide - 1);
    link(*rooms.Items[from], static_cast<int32_t>(random() % DirectionCount), to + 1,
         static_cast<uint32_t>(random() % 8));
  }
  const Rect visible{300, 200, 700, 500};
  DrawLevelParams p = cell(10);
  p.selected = 400;
  p.off_x = 17;
  p.off_y = -9;
  draw(p);
  const std::vector<DrawCall> full = canvas.calls;
  canvas.calls.clear();
  p.visible = &visible;
  draw(p);
  EXPECT_LT(canvas.calls.size(), full.size() / 2);
  EXPECT_EQ(touching(canvas.calls, visible), touching(full, visible));
  // The index finds the same rooms without looking at the others.
  const std::vector<DrawCall> culled = canvas.calls;
  canvas.calls.clear();
  TMapIndex index;
  index.Build(rooms);
  p.index = &index;
  draw(p);
  EXPECT_EQ(canvas.calls, culled);
}

// Room 1 leads east into another area, south to a vnum no area has, north to room 2 of its own list and
// down into the other area; s = 12: stubs start at s + k = 15 and end at 5s/2 = 30, marks reach s/4 = 3.
TEST_F(MapDrawingTest, ExitsLeavingTheAreaEndInMarksOfTheirOwn) {
  TWorld world;
  TArea& area = *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get()));
  TArea& other = *world.Areas->Items.emplace_back(std::make_unique<TArea>(world.Areas.get()));
  other.Rooms->Add().Vnum = 500;
  TAreaRoom& room = area.Rooms->Add();
  room.Vnum = 1;
  room.X = room.Y = 2;
  link(room, DIR_EAST, 500, EX_ISDOOR | EX_CLOSED);
  link(room, DIR_SOUTH, 777);
  link(room, DIR_DOWN, 500);
  TMapIndex index;
  index.Build(*area.Rooms);
  DrawLevelParams p = cell(12);
  p.index = &index;
  p.outside_exits = true;
  DrawLevel(*area.Rooms, canvas, p, palette);
  const Color purple{128, 0, 128};
  const Color magenta{255, 0, 255};
  canvas.calls.erase(canvas.calls.begin());  // the room square
  for (DrawCall& c : canvas.calls)
    if (c.op == "polyline") c.brush = {};
  EXPECT_EQ(canvas.calls,
            (std::vector<DrawCall>{
                call("polyline", colors::kBlue, {}, {{111, 96}, {126, 96}}),
                call("polygon", purple, purple, {{123, 93}, {129, 93}, {129, 99}, {123, 99}}),
                call("polyline", magenta, {}, {{96, 111}, {96, 126}}),
                call("polyline", magenta, {}, {{93, 123}, {99, 129}}),
                call("polyline", magenta, {}, {{93, 129}, {99, 123}}),
                call("polygon", colors::kGreen, colors::kGreen, {{110, 102}, {116, 102}, {113, 108}}),
            }));
  canvas.calls.clear();
  p.outside_exits = false;
  DrawLevel(*area.Rooms, canvas, p, palette);
  EXPECT_EQ(canvas.calls.size(), 1U) << "without the option such exits are not drawn";
}

// The recording canvas measures 8 pixels a letter and 16 a line. The square keeps 2 pixels of its half
// size clear: 4 digits (32 pixels) need s = 18, a second line s = 18 too; s = 17 has room for nothing.
TEST_F(MapDrawingTest, LabelsShowTheVnumAndTheNameWhereTheyFit) {
  struct Case {
    int32_t s;
    int32_t sector;
    std::vector<std::string> texts;
    Color ink;
  };
  const std::vector<Case> cases = {
      {17, 0, {}, colors::kWhite},
      {18, 1, {"3001", "Temp"}, colors::kWhite},
      {40, 5, {"3001", "Temple of"}, colors::kBlack},
  };
  for (const Case& c : cases) {
    rooms.Clear();
    canvas.calls.clear();
    placed(3001, 1, 1, 0, c.sector).Name = "Temple of the Sun";
    DrawLevelParams p = cell(c.s);
    p.labels = true;
    draw(p);
    std::vector<std::string> texts;
    for (const DrawCall& t : canvas.of("text")) {
      texts.push_back(t.text);
      EXPECT_EQ(t.pen, c.ink);
      EXPECT_EQ(t.brush, palette.color_of(c.sector));
    }
    EXPECT_EQ(texts, c.texts) << "s " << c.s;
  }
  EXPECT_EQ(canvas.of("text").at(0).points[0], (Point{160 - 16, 160 - 16}));
}

TEST_F(MapDrawingTest, HugeZoomStaysWithinTheCanvasRange) {
  constexpr int32_t kS = 1 << 27;
  link(placed(1, 1, 1), DIR_EAST, 2);
  placed(2, 2, 1);
  placed(3, 400, 400);  // far beyond any canvas
  DrawLevelParams p = cell(kS);
  p.off_x = 4 * kS - 100;  // room 1 near the corner: (100, 100)
  p.off_y = 4 * kS - 100;
  draw(p);
  constexpr int32_t kLimit = 1 << 28;
  for (const DrawCall& c : canvas.calls)
    for (const Point& pt : c.points)
      EXPECT_TRUE(std::abs(pt.x) <= kLimit && std::abs(pt.y) <= kLimit) << c;
  const auto lines = canvas.of("polyline");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front().points.front(), (Point{100 + kS + 38745320, 100}));
  EXPECT_EQ(lines.back().points.back().x, kLimit);
}

TEST_F(MapDrawingTest, MapPixelSizeLeavesRoomForTheLastColumnsStubs) {
  placed(1, 1, 1);
  rooms.MaxX = 7;
  rooms.MaxY = 3;
  EXPECT_EQ(MapPixelSize(rooms, 10), (Size{360, 200}));
}

}  // namespace
}  // namespace tavro
