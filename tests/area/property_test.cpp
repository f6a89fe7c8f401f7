// Random areas holding every kind of record with its optional parts, built through the model: saved,
// loaded back and compared record by record, then saved again byte for byte; and copied record by
// record, the copies written byte for byte as their sources. The generator keeps to
// what the file format can hold (the writers drop what the server would ignore, and the tests of each
// section cover those cases).
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>

#include "area/AreaTestSupport.h"
#include "area/Header.h"
#include "area/Helps.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "area/SectionTestSupport.h"
#include "area/Shops.h"
#include "world/DamagesWeapons.h"
#include "world/RacesClasses.h"
#include "world/WorldSpecFunctions.h"

namespace tavro {
namespace {

class RandomArea {
 public:
  RandomArea(uint32_t seed, const TWorld& world) : random_(seed), world_(world) {}

  int32_t any_number() { return static_cast<int32_t>(random_()); }
  int32_t between(int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random_);
  }
  bool chance(int percent) { return between(1, 100) <= percent; }
  // Any numbers into every element of the arrays and into the single numbers given.
  template <class... Fields>
  void fill(Fields&... fields) {
    (fill_one(fields), ...);
  }
  template <size_t N>
  void fill_one(std::array<int32_t, N>& numbers) {
    for (int32_t& n : numbers)
      n = any_number();
  }
  void fill_one(int32_t& n) { n = any_number(); }

  // A text the file format can hold: no tilde, no leading blank; Cyrillic letters of both sets,
  // line breaks as CR LF in memory.
  std::string text(int max_length, bool multi_line) {
    static const std::string kFirst =
        "abcXYZ019!#$%&()*+,-./:;<=>?@[]^_{|}" + test::cp1251("абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВЭЮЯЁ");
    std::string result(1, kFirst[static_cast<size_t>(between(0, static_cast<int32_t>(kFirst.size()) - 1))]);
    int length = between(0, max_length);
    for (int i = 0; i < length; ++i) {
      int pick = between(0, 9);
      if (pick == 0)
        result += ' ';
      else if (pick == 1 && multi_line)
        result += "\r\n";
      else
        result += kFirst[static_cast<size_t>(between(0, static_cast<int32_t>(kFirst.size()) - 1))];
    }
    while (multi_line && result.size() >= 2 && result.compare(result.size() - 2, 2, "\r\n") == 0)
      result.resize(result.size() - 2);
    return result;
  }
  std::string optional_text(int max_length, bool multi_line) {
    return chance(15) ? std::string() : text(max_length, multi_line);
  }
  TBitVector bits() {
    TBitVector v;
    for (uint32_t& word : v.Words)
      word = chance(50) ? 0u : static_cast<uint32_t>(random_());
    return v;
  }

  uint32_t flags() { return static_cast<uint32_t>(random_()) & (chance(50) ? 0xFFu : 0xFFFFFFFFu); }
  // A single-line text: Cyrillic and Latin letters, digits, punctuation (never a tilde), no leading blank.
  std::string line() {
    static const std::string letters = "abcXYZ019.,!?'\"-:;#|$&^}\xC0\xE0\xDF\xFF\xB8\xA8";
    std::string result;
    for (int32_t i = 0, n = between(0, 12); i < n; ++i)
      result +=
          i > 0 && chance(15) ? ' ' : letters[static_cast<size_t>(between(0, int32_t(letters.size()) - 1))];
    return result;
  }
  // Lines each ended by CR LF, as the editor holds multi-line texts.
  std::string lines() {
    std::string result;
    for (int32_t i = 0, n = between(0, 3); i < n; ++i) {
      std::string l = line();
      result += (l.empty() ? std::string("x") : l) + "\r\n";
    }
    return result;
  }

  void progs(TWorldProgs& list) {
    int count = chance(60) ? 0 : between(1, 4);
    for (int i = 0; i < count; ++i) {
      TWorldProg& prog = list.Add();
      std::string type =
          world_
              .ProgTypes[static_cast<size_t>(between(0, static_cast<int32_t>(world_.ProgTypes.size()) - 1))];
      prog.ProgType = chance(50) ? to_lower(type) : type;
      prog.Arguments = optional_text(20, false);
      std::string body = optional_text(80, true);
      prog.Body = body.empty() ? body : body + (chance(50) ? "\r\n" : "");
    }
  }

  void fill_mobile(TAreaMobile& m, int32_t vnum) {
    m.Vnum = vnum;
    m.Name = text(20, chance(10));
    m.ShortDescription = text(30, chance(10));
    m.LongDescription = optional_text(60, true);
    m.Description = optional_text(200, true);
    if (!m.Description.empty()) m.Description += "\r\n";  // the writer ends it with one line break
    m.Sex = chance(90) ? between(0, 3) : between(-5, 40);
    m.ActFlags = bits();
    m.AffectedBy = bits();
    fill(m.Level, m.Alignment, m.Thac0, m.AC, m.HitDice, m.DamDice, m.Gold, m.Exp);
    m.Position = between(0, 1 << 20);
    m.DefPosition = between(0, 1 << 20);
    m.Complex = chance(50);
    if (m.Complex) fill_complex(m);
    progs(*m.Progs);
    m.Special = chance(30) ? between(1, world_.SpecFunctions->Count()) : -1;
  }

  void fill_complex(TAreaMobile& m) {
    fill(m.Stats, m.Saves, m.Height, m.Weight, m.Speaks, m.Speaking, m.NumAttacks, m.Hitroll, m.Damroll);
    m.Race = between(0, world_.Races->Count() - 1);
    m.Class = between(0, world_.Classes->Count() - 1);
    m.Parts = static_cast<uint32_t>(random_());
    m.Resistant = static_cast<uint32_t>(random_());
    m.Immune = static_cast<uint32_t>(random_());
    m.Susceptible = static_cast<uint32_t>(random_());
    m.Attacks = bits();
    m.Defenses = bits();
  }

  template <class Shop>
  void maybe_give_shop(TArea& area, TAreaMobile& keeper, std::unique_ptr<Shop>& slot, int percent) {
    if (!chance(percent)) return;
    slot = std::make_unique<Shop>();
    slot->Keeper = &keeper;
    Shop::list_of(area).Add(slot.get());
  }

  void fill_area(TArea& area) {
    area.Header->Version = TAreaHeader::kCurrentVersion;
    std::set<int32_t> vnums;
    int count = between(0, 12);
    while (static_cast<int>(vnums.size()) < count) {
      int32_t vnum = chance(80) ? between(1, 100000) : any_number();
      if (vnum != 0) vnums.insert(vnum);
    }
    for (int32_t vnum : vnums) {
      TAreaMobile& m = area.Mobiles->Add();
      fill_mobile(m, vnum);
      maybe_give_shop(area, m, m.Shop, 30);
      if (m.Shop)
        fill(m.Shop->BuyTypes, m.Shop->ProfitBuy, m.Shop->ProfitSell, m.Shop->OpenHour, m.Shop->CloseHour);
      maybe_give_shop(area, m, m.RepairShop, 20);
      if (m.RepairShop)
        fill(m.RepairShop->FixTypes, m.RepairShop->ProfitFix, m.RepairShop->ShopType, m.RepairShop->OpenHour,
             m.RepairShop->CloseHour);
    }
    int helps = between(0, 4);
    for (int i = 0; i < helps; ++i) {
      auto& item = *area.Helps->Items.emplace_back(std::make_unique<TAreaHelpItem>());
      item.Level = any_number();
      do
        item.Keywords = optional_text(20, chance(20));
      while (item.Keywords == "$");
      item.Text = text(100, true);
    }
    for (int32_t i = 0, n = between(0, 40), vnum = 1000; i < n; ++i, vnum += between(1, 3))
      room(area.Rooms->Add(), vnum);
    for (int32_t i = 0, n = between(0, 40); i < n; ++i)
      object(area.Objects->Add(), 1 + i);
    for (int32_t i = 0, n = between(0, 80); i < n; ++i)
      reset(area.Resets->Add());
  }

  void extra_descs(TAreaExtraDescs& list) {
    for (int32_t i = 0, n = chance(30) ? between(1, 3) : 0; i < n; ++i) {
      TAreaExtraDesc& desc = list.Add();
      desc.Keyword = line();
      desc.Description = lines();
    }
  }

  int32_t skill() { return between(1, 3); }  // the valid skills of the test world
  int32_t weapon() { return between(0, world_.Weapons->Count() - 1); }

  void room(TAreaRoom& room, int32_t vnum) {
    room.Vnum = vnum;
    room.Name = line();
    room.Description = lines();
    room.Flags = flags();
    room.Sector = between(0, 12);
    if (chance(30)) {
      room.TeleDelay = between(1, 50);
      room.TeleVnum = between(1, 99999);
      room.Tunnel = between(0, 5);
    } else if (chance(20)) {
      room.Tunnel = between(1, 5);
    }
    for (int32_t d = 0; d < DirectionCount; ++d)
      if (chance(40)) door(room.EnsureDoor(d));
    if (chance(30)) {
      TAreaMap& map = room.EnsureMap();
      map.MapVnum = between(-5, 99999);
      map.MapX = between(0, 78);
      map.MapY = between(0, 48);
      map.Entry = static_cast<char>(between('!', '~'));
    }
    extra_descs(room.ExtraDescs);
    progs(*room.Progs);
  }

  void door(TAreaDoor& door) {
    door.ToVnum = chance(80) ? between(1, 99999) : 0;
    door.Description = door.ToVnum == 0 ? "x" + lines() : (chance(50) ? lines() : std::string());
    door.Keyword = line();
    door.Flags = flags();
    door.Key = between(-1, 99999);
    if (chance(30)) {
      door.Distance = between(2, 9);
      door.PullType = between(0, 5);
      door.Pull = between(-20, 20);
    }
    if (!door.IsDoor()) return;
    door.Sex = between(0, 2);
    door.Multiple = between(0, 1);
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
    object.ItemType = between(0, static_cast<int32_t>(world_.ItemTypesNative.size()) - 1);
    for (auto& word : object.ExtraFlags.Words)
      word = chance(40) ? flags() : 0;
    object.WearFlags = flags();
    object.Layers = between(0, 128);
    for (auto& value : object.Values)
      value = between(-10, 1000);
    object.Values[6] = 0;  // only projectiles keep a value 6
    if (object.Values[4] <= 0 && object.Values[5] <= 0) object.Values[4] = object.Values[5] = 0;
    object.Weight = between(1, 500);
    object.Cost = between(0, 100000);
    object.Rent = between(0, 100);
    object.Level = between(0, 60);
    object.Condition = between(0, 100);
    object.MaxCondition = between(0, 100);
    object.RepairsCount = between(0, 9);
    typed_values(object);
    for (int32_t i = 0, n = chance(40) ? between(1, 4) : 0; i < n; ++i) {
      TAreaAffect& affect = object.Affects.Add();
      affect.Location = between(0, static_cast<int32_t>(world_.ApplyTypes.size()) - 1);
      affect.Modifier = affect.IsSpellLocation() ? skill() : between(-50, 50);
    }
    extra_descs(object.ExtraDescs);
    if (chance(20)) {
      object.FurnitureFlags = flags() | 1u;
      for (auto& capacity : object.Capacity)
        capacity = between(0, 9);
    }
    object.VegetableCount = chance(20) ? between(1, MaxVegetables) : 0;
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
    return world_.Weapons->Items[static_cast<size_t>(position)].get();
  }

  void reset(TAreaReset& reset) {
    static const char letters[] = "BDEGHMOPRT";
    reset.Command = letters[between(0, 9)];
    reset.Extra = between(-1, 9);
    reset.Arg1 = between(-100, 99999);
    reset.Arg2 = between(-100, 99999);
    reset.Arg3 = reset.HasArg3() ? between(-100, 99999) : 0;
  }

 private:
  std::mt19937 random_;
  const TWorld& world_;
};

auto shop_fields(const TAreaShop& s) {
  return std::make_tuple(s.BuyTypes, s.ProfitBuy, s.ProfitSell, s.OpenHour, s.CloseHour);
}
auto repair_fields(const TAreaRepairShop& s) {
  return std::make_tuple(s.FixTypes, s.ProfitFix, s.ShopType, s.OpenHour, s.CloseHour);
}

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

// Every record of both lists equal, field by field.
template <class List, class Fields>
void expect_same_records(const List& a, const List& b, Fields fields) {
  ASSERT_EQ(a.Items.size(), b.Items.size());
  for (size_t i = 0; i < a.Items.size(); ++i)
    EXPECT_EQ(fields(*a.Items[i]), fields(*b.Items[i])) << "record " << i;
}

auto mobile_record(const TAreaMobile& m) {
  return std::make_tuple(test::mobile_fields(m), test::prog_fields(*m.Progs),
                         m.Shop ? std::optional(shop_fields(*m.Shop)) : std::nullopt,
                         m.RepairShop ? std::optional(repair_fields(*m.RepairShop)) : std::nullopt,
                         (!m.Shop || m.Shop->Keeper == &m) && (!m.RepairShop || m.RepairShop->Keeper == &m));
}

auto help_fields(const TAreaHelpItem& h) {
  return std::tie(h.Level, h.Keywords, h.Text);
}

void expect_same_area(const TArea& a, const TArea& b) {
  expect_same_records(*a.Mobiles, *b.Mobiles, mobile_record);
  EXPECT_EQ(std::make_tuple(a.Shops->Items.size(), a.RepairShops->Items.size()),
            std::make_tuple(b.Shops->Items.size(), b.RepairShops->Items.size()));
  expect_same_records(*a.Helps, *b.Helps, help_fields);
  expect_same_records(*a.Rooms, *b.Rooms, room_fields);
  expect_same_records(*a.Objects, *b.Objects, object_fields);
  expect_same_records(*a.Resets, *b.Resets, reset_fields);
}

TEST(AreaPropertyTest, RandomAreasSurviveASaveAndALoad) {
  test::ScratchDir dir;
  test::SectionWorld w;  // skills, weapons and item types
  test::add_races_classes_and_specials(w.world);
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RandomArea model(seed, w.world);
    TArea original(w.world.Areas.get());
    model.fill_area(original);
    original.IsNew = false;  // built in memory only: its saves stay out of the areas list
    const std::string saved = test::save_area_text(original, dir);
    // Weapon types are entries of the world the records were read in: read back into the same one.
    TArea read_back(w.world.Areas.get());
    test::load_area_text(read_back, dir, saved);
    expect_same_area(original, read_back);
    EXPECT_EQ(test::save_area_text(read_back, dir, "again.are"), saved);
    if (HasFailure()) break;
  }
}

// Each record copied into a new one of another list: first a copy of the record before it, then of its
// own, so that a field the copy skips keeps another record's value.
template <class List>
void copy_records(const List& from, List& to) {
  const size_t count = from.Items.size();
  for (size_t i = 0; i < count; ++i) {
    auto& copy = to.Add();
    copy.Assign(*from.Items[(i + count - 1) % count]);
    copy.Assign(*from.Items[i]);
  }
}

std::string written_records(const TArea& area) {
  return test::written_by([&](TAreaFile& f) {
    area.Mobiles->WriteSection(f);
    area.Objects->WriteSection(f);
    area.Rooms->WriteSection(f);
    area.Shops->WriteSection(f);
    area.RepairShops->WriteSection(f);
    write_specials_section(area, f);
  });
}

// The records and parts of an area whose back reference is not their holder.
int strays(const TArea& area) {
  int count = 0;
  const auto check = [&](bool owned) { count += owned ? 0 : 1; };
  for (const auto& room : area.Rooms->Items) {
    check(room->Owner == area.Rooms.get() && (!room->Map || room->Map->Owner == room.get()));
    for (const auto& door : room->Doors)
      check(!door || door->Owner == room.get());
  }
  for (const auto& object : area.Objects->Items) {
    check(object->Owner == area.Objects.get() && object->Affects.Object == object.get() &&
          object->Affects.Area == &area);
    for (const auto& affect : object->Affects.Items)
      check(affect->Owner == &object->Affects);
  }
  for (const auto& mobile : area.Mobiles->Items)
    check(mobile->Owner == area.Mobiles.get() && (!mobile->Shop || mobile->Shop->Keeper == mobile.get()) &&
          (!mobile->RepairShop || mobile->RepairShop->Keeper == mobile.get()));
  return count;
}

TEST(AreaPropertyTest, CopiesWriteWhatTheirSourcesWriteAndBelongToTheirOwnArea) {
  test::SectionWorld w;
  test::add_races_classes_and_specials(w.world);
  for (uint32_t seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RandomArea model(seed, w.world);
    TArea original(w.world.Areas.get());
    model.fill_area(original);
    TArea copy(w.world.Areas.get());
    copy_records(*original.Rooms, *copy.Rooms);
    copy_records(*original.Objects, *copy.Objects);
    copy_records(*original.Mobiles, *copy.Mobiles);
    EXPECT_EQ(written_records(copy), written_records(original));
    EXPECT_EQ(strays(copy), 0);
    // A listed mobile's copied shop joins its area's list.
    EXPECT_EQ(std::make_tuple(copy.Shops->Items.size(), copy.RepairShops->Items.size()),
              std::make_tuple(original.Shops->Items.size(), original.RepairShops->Items.size()));
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace tavro
