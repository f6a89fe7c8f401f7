#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "area/Area.h"
#include "area/Header.h"
#include "area/Helps.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Rooms.h"
#include "reading/AreaFile.h"
#include "reading/Cases.h"
#include "world/Areas.h"
#include "world/World.h"
#include "world/WorldFind.h"

namespace tavro {
namespace {

std::string cp(const char* utf8) {
  return utf8_to_cp1251(utf8);
}

TArea& add_area(TWorld& world, const char* file) {
  world.Areas->Items.push_back(std::make_unique<TArea>(world.Areas.get()));
  world.Areas->Items.back()->Header->FileName = file;
  return *world.Areas->Items.back();
}

TAreaRoom& add_room(TArea& area, int32_t vnum, const char* name, const char* description) {
  TAreaRoom& room = area.Rooms->Add();
  room.Vnum = vnum;
  room.Name = cp(name);
  room.Description = cp(description);
  return room;
}

// town.are: a square with a fountain, a sword, a guard with a program, a help; forest.are: a fir tree.
class FindWorld {
 public:
  FindWorld() {
    TArea& town = add_area(world, "town.are");
    TAreaRoom& square = add_room(town, 100, "Площадь", "Большая площадь.\r\nВ центре бьёт ФОНТАН.\r\n");
    square.EnsureDoor(DIR_NORTH).Keyword = cp("ворота");
    TAreaExtraDesc& extra = square.ExtraDescs.Add();
    extra.Keyword = cp("фонтан");
    extra.Description = cp("Струи воды.");
    square.Description += std::string(60, '-') + cp(" звон ") + std::string(100, '=') + "\r\n";
    TAreaObject& sword = town.Objects->Add();
    sword.Vnum = 110;
    sword.ShortDescription =
        encode_cases({cp("меч"), cp("меча"), cp("мечу"), cp("меч"), cp("мечом"), cp("мече")});
    TAreaMobile& guard = town.Mobiles->Add();
    guard.Vnum = 120;
    guard.Name = cp("стражник");
    TWorldProg& prog = guard.Progs->Add();
    prog.ProgType = "greet_prog";
    prog.Arguments = "100";
    prog.Body = cp("say Стой!\r\nmpgoto 200\r\n");
    auto help = std::make_unique<TAreaHelpItem>();
    help->Keywords = cp("ГОРОД ПЛОЩАДЬ");
    help->Text = cp("Город велик.");
    town.Helps->Items.push_back(std::move(help));
    add_room(add_area(world, "forest.are"), 200, "Старая ёлка", "Лес.");
  }

  // Each hit as "area record field: line" in UTF-8.
  std::vector<std::string> find(const char* text, size_t max_hits = 100) const {
    std::vector<std::string> lines;
    for (const TFindHit& hit : find_in_world(*world.Areas, cp(text), max_hits))
      lines.push_back(area_file_label(*hit.Record.Area) + " " + record_label(hit.Record) + " " +
                      cp1251_to_utf8(hit.Field + ": " + hit.Line));
    return lines;
  }

  TWorld world;
};

TEST(WorldFind, FindsTextsInEitherCaseAndVnums) {
  const FindWorld w;
  struct Case {
    const char* text;
    std::vector<std::string> hits;
  };
  const std::vector<Case> cases = {
      {"фонтан",
       {"town.are room 100 description: В центре бьёт ФОНТАН.",
        "town.are room 100 extra description 'фонтан': фонтан"}},
      {"ПЛОЩАДЬ",
       {"town.are room 100 name: Площадь", "town.are room 100 description: Большая площадь.",
        "town.are help 1 keywords: ГОРОД ПЛОЩАДЬ"}},
      {"ЁЛКА", {"forest.are room 200 name: Старая ёлка"}},
      {"Ворота", {"town.are room 100 exit north: ворота"}},
      {"МЕЧОМ", {"town.are object 110 short description: мечом"}},
      {"200",
       {"town.are mobile 120 program 1 (greet_prog): mpgoto 200", "forest.are room 200 vnum: Старая ёлка"}},
      {"звон",
       {"town.are room 100 description: ..." + std::string(39, '-') + " звон " + std::string(75, '=') +
        "..."}},
      {"", {}},
      {"дракон", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(w.find(c.text), c.hits) << c.text;
  EXPECT_EQ(w.find("площадь", 1), std::vector<std::string>{"town.are room 100 name: Площадь"});
}

TEST(WorldFind, FoldsLatinAndCyrillicCapitals) {
  EXPECT_EQ(fold_case(cp("AbЯяЁёЇІ-1")), cp("abяяёёїі-1"));
}

}  // namespace
}  // namespace tavro
