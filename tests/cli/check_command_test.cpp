#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/Cli.h"
#include "world/world_fixture.h"

namespace tavro {
namespace {

// town.are plants one problem of each kind; forest.are repeats a room vnum of the town.
const char* const kTown = R"(#AREA Город~

#MOBILES
#120
торговец~
торговец:торговца:торговцу:торговца:торговцем:торговце~
Торговец стоит здесь.
~
~
0 0 0 S
1 20 9 1d4+1 1d2+0
0 10
8 8 1
#0

#OBJECTS
#110
сундук~
сундук:сундука:сундуку:сундук:сундуком:сундуке~
Сундук.~
~
0 0 0
0 0 0 0
1 0 0
#112
ключ~
ключ:ключа:ключу:ключ:ключом:ключе~
Ключ.~
~
5 0 1
0 0 0 0
1 0 0
#113
камень~
камень:камня:камню:камень:камнем:камне~
Камень.~
~
0 0 1
0 0 0 0
1 0 0
#0

#ROOMS
#100
Площадь~
Площадь.
~
0 0 1
D0
~
~
0 0 999
D1
~
~
0 0 101
S
#101
~
Переулок.
~
0 0 1
D0
~
~
0 0 200
D1
~
дверь~
1 998 100
D3
~
~
0 0 100
S
#0

#RESETS
M 0 121 1 100
O 0 110 0 100
P 0 112 0 110
S

#SHOPS
120 0 0 0 0 0 90 120 8 19
0

#$
)";

const char* const kForest = R"(#AREA Лес~

#ROOMS
#200
Опушка~
Лес.
~
0 0 3
S
#100
Поляна~
Лес.
~
0 0 3
S
#0

#$
)";

class CheckCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch.write_complete();
    scratch.write("start/files/ItemTypes.lst", "ITEM_NONE\r\nITEM_CONTAINER\r\nITEM_KEY\r\n");
    scratch.write("start/files/ItemTypesNative.lst", "none\r\ncontainer\r\nkey\r\n");
    scratch.write_server("mud/area/town.are", kTown);
    scratch.write_server("mud/area/forest.are", kForest);
  }
  std::tuple<int, std::string, std::string> check(std::vector<std::string> extra = {}) const {
    std::vector<std::string> args = {"tavro", "--start", scratch.start(), "--mud", scratch.mud(), "check"};
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
      argv.push_back(arg.data());
    std::ostringstream out, err;
    const int status = cli::run(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
  }
  testing::ScratchWorld scratch;
};

TEST_F(CheckCommand, PrintsEachProblemAfterTheLoadSummarySortedByAreaAndVnum) {
  EXPECT_EQ(
      check(),
      std::make_tuple(
          1,
          "2 areas loaded, 0 failed\n"
          "town.are: error: room 100: exit north leads to room 999, which no loaded area has\n"
          "town.are: error: reset 1 in room 100: 'M 0 121 1 100' names mobile 121, which no loaded area has\n"
          "town.are: error: reset 3 in room 100: 'P 0 112 0 110' puts into object 110, which is not a "
          "container\n"
          "town.are: error: room 101: door east opens with key 998, which no loaded area has\n"
          "town.are: warning: room 101: the room has no name\n"
          "town.are: note: room 101: exit north leads to room 200 of forest.are, which has no exit back\n"
          "town.are: note: object 113: no reset loads the object\n"
          "town.are: note: mobile 120: no reset loads the mobile\n"
          "town.are: warning: shop 120: no reset loads the keeper, so it never opens\n"
          "forest.are: error: room 100: vnum 100 is also a room of town.are, which the server takes\n"
          "5 errors, 2 warnings, 3 notes\n",
          ""));
}

TEST_F(CheckCommand, GivesTheSameAsJson) {
  const auto [status, out, err] = check({"--json"});
  EXPECT_EQ(std::tie(status, err), std::make_tuple(1, ""));
  EXPECT_EQ(out,
            R"({
  "areas_loaded": 2,
  "areas_failed": 0,
  "errors": 5,
  "warnings": 2,
  "notes": 3,
  "problems": [
    {"area": "town.are", "severity": "error", "kind": "room", "vnum": 100, "message": "exit north leads to room 999, which no loaded area has"},
    {"area": "town.are", "severity": "error", "kind": "reset", "vnum": 100, "reset": 1, "message": "'M 0 121 1 100' names mobile 121, which no loaded area has"},
    {"area": "town.are", "severity": "error", "kind": "reset", "vnum": 100, "reset": 3, "message": "'P 0 112 0 110' puts into object 110, which is not a container"},
    {"area": "town.are", "severity": "error", "kind": "room", "vnum": 101, "message": "door east opens with key 998, which no loaded area has"},
    {"area": "town.are", "severity": "warning", "kind": "room", "vnum": 101, "message": "the room has no name"},
    {"area": "town.are", "severity": "note", "kind": "room", "vnum": 101, "message": "exit north leads to room 200 of forest.are, which has no exit back"},
    {"area": "town.are", "severity": "note", "kind": "object", "vnum": 113, "message": "no reset loads the object"},
    {"area": "town.are", "severity": "note", "kind": "mobile", "vnum": 120, "message": "no reset loads the mobile"},
    {"area": "town.are", "severity": "warning", "kind": "shop", "vnum": 120, "message": "no reset loads the keeper, so it never opens"},
    {"area": "forest.are", "severity": "error", "kind": "room", "vnum": 100, "message": "vnum 100 is also a room of town.are, which the server takes"}
  ]
}
)");
}

}  // namespace
}  // namespace tavro
