// Random objects, rooms and resets with every optional part, built through the model: written, read
// back and compared field by field, then written again byte for byte. The generator keeps to what the
// file format can hold (the writers drop what the server would ignore, and the tests of each section
// cover those cases).
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

#include "area/AreaTestSupport.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "area/SectionTestSupport.h"
#include "world/DamagesWeapons.h"
#include "world/Skills.h"

namespace tavro {
namespace {

using test::read_section;
using test::written_section;

class ModelMaker {
 public:
  explicit ModelMaker(const test::SectionWorld& w, uint32_t seed) : w_(w), random_(seed) {}

  int32_t number(int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random_);
  }
  bool chance(int percent) { return number(1, 100) <= percent; }
  uint32_t flags() { return static_cast<uint32_t>(random_()) & (chance(50) ? 0xFFu : 0xFFFFFFFFu); }

  // A single-line text: Cyrillic and Latin letters, digits, punctuation (never a tilde), no leading blank.
  std::string line() {
    static const std::string letters = "abcXYZ019.,!?'\"-:;#|$&^}\xC0\xE0\xDF\xFF\xB8\xA8";
    std::string text;
    for (int32_t i = 0, n = number(0, 12); i < n; ++i)
      text +=
          i > 0 && chance(15) ? ' ' : letters[static_cast<size_t>(number(0, int32_t(letters.size()) - 1))];
    while (!text.empty() && text.front() == ' ')
      text.erase(0, 1);
    return text;
  }
  // Lines each ended by CR LF, as the editor holds multi-line texts.
  std::string lines() {
    std::string text;
    for (int32_t i = 0, n = number(0, 3); i < n; ++i) {
      std::string l = line();
      text += (l.empty() ? std::string("x") : l) + "\r\n";
    }
    return text;
  }

  void progs(TWorldProgs& list) {
    for (int32_t i = 0, n = chance(30) ? number(1, 3) : 0; i < n; ++i) {
      TWorldProg& prog = list.Add();
      prog.ProgType = w_.world.ProgTypes[static_cast<size_t>(number(0, 2))];
      prog.Arguments = line();
      prog.Body = lines();
    }
  }

  void extra_descs(TAreaExtraDescs& list) {
    for (int32_t i = 0, n = chance(30) ? number(1, 3) : 0; i < n; ++i) {
      TAreaExtraDesc& desc = list.Add();
      desc.Keyword = line();
      desc.Description = lines();
    }
  }

  int32_t skill() { return number(1, 3); }  // the valid skills of the test world
  int32_t weapon() { return number(0, w_.world.Weapons->Count() - 1); }

  void room(TAreaRoom& room, int32_t vnum) {
    room.Vnum = vnum;
    room.Name = line();
    room.Description = lines();
    room.Flags = flags();
    room.Sector = number(0, 12);
    if (chance(30)) {
      room.TeleDelay = number(1, 50);
      room.TeleVnum = number(1, 99999);
      room.Tunnel = number(0, 5);
    } else if (chance(20)) {
      room.Tunnel = number(1, 5);
    }
    for (int32_t d = 0; d < DirectionCount; ++d)
      if (chance(40)) door(room.EnsureDoor(d));
    if (chance(30)) {
      TAreaMap& map = room.EnsureMap();
      map.MapVnum = number(-5, 99999);
      map.MapX = number(0, 78);
      map.MapY = number(0, 48);
      map.Entry = static_cast<char>(number('!', '~'));
    }
    extra_descs(room.ExtraDescs);
    progs(*room.Progs);
  }

  void door(TAreaDoor& door) {
    door.ToVnum = chance(80) ? number(1, 99999) : 0;
    door.Description = door.ToVnum == 0 ? "x" + lines() : (chance(50) ? lines() : std::string());
    door.Keyword = line();
    door.Flags = flags();
    door.Key = number(-1, 99999);
    if (chance(30)) {
      door.Distance = number(2, 9);
      door.PullType = number(0, 5);
      door.Pull = number(-20, 20);
    }
    if (!door.IsDoor()) return;
    door.Sex = number(0, 2);
    door.Multiple = number(0, 1);
    TDoorTexts& texts = door.edit_texts();
    texts.ShortName = line();
    texts.BashedDescription = line();
    texts.PickFatalUnsuccess = line();
    texts.BoltOpenState = line();
  }

  void object(TAreaObject& object, int32_t vnum) {
    object.Vnum = vnum;
    object.Name = line();
    object.ShortDescription = line();
    object.LongDescription = line();
    object.Description = lines();
    object.ItemType = number(0, static_cast<int32_t>(w_.world.ItemTypesNative.size()) - 1);
    for (auto& word : object.ExtraFlags.Words)
      word = chance(40) ? flags() : 0;
    object.WearFlags = flags();
    object.Layers = number(0, 128);
    for (auto& value : object.Values)
      value = number(-10, 1000);
    object.Values[6] = 0;  // only projectiles keep a value 6
    if (object.Values[4] <= 0 && object.Values[5] <= 0) object.Values[4] = object.Values[5] = 0;
    object.Weight = number(1, 500);
    object.Cost = number(0, 100000);
    object.Rent = number(0, 100);
    object.Level = number(0, 60);
    object.Condition = number(0, 100);
    object.MaxCondition = number(0, 100);
    object.RepairsCount = number(0, 9);
    typed_values(object);
    for (int32_t i = 0, n = chance(40) ? number(1, 4) : 0; i < n; ++i) {
      TAreaAffect& affect = object.Affects.Add();
      affect.Location = number(0, static_cast<int32_t>(w_.world.ApplyTypes.size()) - 1);
      affect.Modifier = affect.IsSpellLocation() ? skill() : number(-50, 50);
    }
    extra_descs(object.ExtraDescs);
    if (chance(20)) {
      object.FurnitureFlags = flags() | 1u;
      for (auto& capacity : object.Capacity)
        capacity = number(0, 9);
    }
    object.VegetableCount = chance(20) ? number(1, MaxVegetables) : 0;
    for (int32_t i = 0; i < object.VegetableCount; ++i) {
      std::string l = line();
      object.Vegetables[static_cast<size_t>(i)] = l.empty() || l.front() == '|' ? "v" + l : l;
    }
    progs(*object.Progs);
  }

  // Values that item types keep elsewhere in the file (weapon types, spells by name).
  void typed_values(TAreaObject& object) {
    switch (object.ItemType) {
      case 2:   // scroll
      case 10:  // potion
        for (size_t v : {1, 2, 3})
          object.Values[v] = skill();
        break;
      case 3:  // wand
      case 4:  // staff
        object.Values[3] = skill();
        break;
      case 7:  // salve
        object.Values[4] = skill();
        object.Values[5] = skill();
        break;
      case 5:   // weapon
      case 11:  // missile
        object.Values[3] = chance(80) ? weapon() : -1;
        object.WeaponType = object.Values[3] >= 0 ? weapon_at(object.Values[3]) : nullptr;
        object.Values[3] = std::max(object.Values[3], 0);
        break;
      case 6:  // projectile
        object.WeaponType = weapon_at(weapon());
        object.Values[6] = weapon();
        break;
      case 8:  // missile weapon
        object.WeaponType = weapon_at(weapon());
        break;
      default:
        break;
    }
  }

  const TWorldWeapon* weapon_at(int32_t position) const {
    return w_.world.Weapons->Items[static_cast<size_t>(position)].get();
  }

  void reset(TAreaReset& reset) {
    static const char letters[] = "BDEGHMOPRT";
    reset.Command = letters[number(0, 9)];
    reset.Extra = number(-1, 9);
    reset.Arg1 = number(-100, 99999);
    reset.Arg2 = number(-100, 99999);
    reset.Arg3 = reset.HasArg3() ? number(-100, 99999) : 0;
  }

 private:
  const test::SectionWorld& w_;
  std::mt19937 random_;
};

std::vector<std::pair<std::string, std::string>> desc_fields(const TAreaExtraDescs& list) {
  std::vector<std::pair<std::string, std::string>> fields;
  for (const auto& desc : list.Items)
    fields.emplace_back(desc->Keyword, desc->Description);
  return fields;
}

auto door_fields(const TAreaDoor& d) {
  std::vector<std::string> texts;
#define TAVRO_DOOR_TEXT(name) texts.push_back(d.name());
  TAVRO_DOOR_TEXTS(TAVRO_DOOR_TEXT)
#undef TAVRO_DOOR_TEXT
  return std::make_tuple(d.Keyword, d.Description, d.Flags, d.Key, d.ToVnum, d.Direction, d.Distance,
                         d.PullType, d.Pull, d.Sex, d.Multiple, texts);
}

auto room_fields(const TAreaRoom& r) {
  std::vector<std::optional<decltype(door_fields(*r.Doors[0]))>> doors;
  for (const auto& door : r.Doors)
    doors.push_back(door ? std::optional(door_fields(*door)) : std::nullopt);
  const auto map =
      r.Map ? std::optional(std::tie(r.Map->MapVnum, r.Map->MapX, r.Map->MapY, r.Map->Entry)) : std::nullopt;
  return std::make_tuple(r.Vnum, r.Name, r.Description, r.Flags, r.Sector, r.TeleDelay, r.TeleVnum, r.Tunnel,
                         doors, map, desc_fields(r.ExtraDescs), test::prog_fields(*r.Progs));
}

auto reset_fields(const TAreaReset& r) {
  return std::tie(r.Command, r.Extra, r.Arg1, r.Arg2, r.Arg3);
}

auto object_fields(const TAreaObject& o) {
  std::vector<std::pair<int32_t, int32_t>> affects;
  for (const auto& affect : o.Affects.Items)
    affects.emplace_back(affect->Location, affect->Modifier);
  return std::make_tuple(o.Vnum, o.Name, o.ShortDescription, o.LongDescription, o.Description, o.ItemType,
                         o.ExtraFlags, o.WearFlags, o.Layers, o.Values, o.WeaponType, o.Weight, o.Cost,
                         o.Rent, o.Level, o.Condition, o.MaxCondition, o.RepairsCount, affects,
                         o.FurnitureFlags, o.Capacity, o.VegetableCount, o.Vegetables,
                         desc_fields(o.ExtraDescs), test::prog_fields(*o.Progs));
}

// Writes the list, reads the text into copy, compares every record and writes the copy again.
template <class List, class Fields>
void expect_round_trip(const List& source, List& copy, Fields fields) {
  const std::string text = written_section(source);
  read_section(copy, text);
  ASSERT_EQ(copy.Items.size(), source.Items.size());
  for (size_t i = 0; i < copy.Items.size(); ++i)
    EXPECT_EQ(fields(*source.Items[i]), fields(*copy.Items[i])) << "record " << i;
  EXPECT_EQ(written_section(copy), text);
}

class SectionsPropertyTest : public ::testing::TestWithParam<uint32_t> {
 protected:
  void SetUp() override { w.set_version(11); }
  test::SectionWorld w;
  ModelMaker maker{w, GetParam()};
  // Weapon types are entries of the world the records were read in: read them back into the same one.
  TArea& area = *w.area;
};

TEST_P(SectionsPropertyTest, RandomRoomsRoundTrip) {
  for (int32_t i = 0, vnum = 1000; i < 150; ++i, vnum += maker.number(1, 3))
    maker.room(area.Rooms->Add(), vnum);
  TAreaRooms copy(&area);
  expect_round_trip(*area.Rooms, copy, room_fields);
}

TEST_P(SectionsPropertyTest, RandomObjectsRoundTrip) {
  for (int32_t i = 0; i < 150; ++i)
    maker.object(area.Objects->Add(), 1 + i);
  TAreaObjects copy(&area);
  expect_round_trip(*area.Objects, copy, object_fields);
}

TEST_P(SectionsPropertyTest, RandomResetsRoundTrip) {
  for (int32_t i = 0; i < 300; ++i)
    maker.reset(area.Resets->Add());
  TAreaResets copy(&area);
  expect_round_trip(*area.Resets, copy, reset_fields);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SectionsPropertyTest, ::testing::Values(1u, 2u, 3u, 20261206u));

}  // namespace
}  // namespace tavro
