#include "support/WorldGenerator.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>

#include "area/Area.h"
#include "area/Header.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "reading/AreaFile.h"
#include "reading/Cases.h"
#include "world/Areas.h"
#include "world/DamagesWeapons.h"
#include "world/Skills.h"
#include "world/TextLists.h"
#include "world/World.h"

namespace fs = std::filesystem;

namespace tavro::bench {

namespace {

constexpr int32_t kGridWidth = 32;
constexpr int32_t kVnumsPerArea = 10000;

// Words of the game's texts (written here in UTF-8, held in memory in Windows-1251).
const std::array<const char*, 24> kWords = {
    "старый", "каменный", "мост",    "тёмный", "лес",    "тропа",   "ветер",  "холодный",
    "город",  "ворота",   "стража",  "факел",  "стена",  "высокий", "узкий",  "переулок",
    "рынок",  "торговец", "колодец", "башня",  "тишина", "шорох",   "дорога", "деревянный"};

class TTextMaker {
 public:
  explicit TTextMaker(uint32_t seed) : random_(seed) {
    for (const char* word : kWords)
      words_.push_back(utf8_to_cp1251(word));
  }

  int32_t number(int32_t below) { return static_cast<int32_t>(random_() % static_cast<uint32_t>(below)); }

  std::string words(int32_t count) {
    std::string text;
    for (int32_t i = 0; i < count; ++i) {
      if (i > 0) text += ' ';
      text += words_[static_cast<size_t>(number(static_cast<int32_t>(words_.size())))];
    }
    return text;
  }

  // Lines of about 70 characters with CR LF breaks, the last line ended too, as the editor holds them.
  std::string lines(int32_t count) {
    std::string text;
    for (int32_t i = 0; i < count; ++i)
      text += words(8) + ".\r\n";
    return text;
  }

 private:
  std::mt19937 random_;
  std::vector<std::string> words_;
};

int32_t position_in(const TStringList& list, const char* name) {
  return std::max(0, index_of_text(list, name));
}

// The first few skills that objects may name as spells.
std::vector<int32_t> valid_skills(const TWorld& world) {
  std::vector<int32_t> skills;
  for (int32_t i = 0; i < world.Skills->Count() && skills.size() < 16; ++i)
    if (world.Skills->IsValid(i)) skills.push_back(i);
  if (skills.empty()) skills.push_back(0);
  return skills;
}

class TAreaMaker {
 public:
  TAreaMaker(TWorld& world, TArea& area, int32_t index, int32_t rooms, TTextMaker& text)
      : world_(world), area_(area), index_(index), rooms_(rooms), text_(text), skills_(valid_skills(world)) {}

  void make() {
    area_.Header->Name = "{ 1 50} Generated area " + std::to_string(index_);
    area_.Header->Author = "Generator";
    make_rooms();
    make_objects();
    make_mobiles();
    make_resets();
  }

 private:
  int32_t base() const { return (index_ + 1) * kVnumsPerArea; }
  int32_t room_vnum(int32_t i) const { return base() + i; }
  int32_t object_vnum(int32_t i) const { return base() + i; }
  int32_t mobile_vnum(int32_t i) const { return base() + i; }
  int32_t object_count() const { return std::max(1, rooms_ / 4); }
  int32_t mobile_count() const { return std::max(1, rooms_ / 5); }

  void add_program(TWorldProgs& progs, int32_t kind) {
    if (world_.ProgTypes.empty()) return;
    TWorldProg& prog = progs.Add();
    prog.ProgType = to_lower(world_.ProgTypes[static_cast<size_t>(kind) % world_.ProgTypes.size()]);
    prog.Arguments = "p " + text_.words(2);
    prog.Body = "if rand(50)\r\n  say " + text_.words(5) + "\r\nendif\r\n";
  }

  void make_rooms() {
    for (int32_t i = 0; i < rooms_; ++i) {
      TAreaRoom& room = area_.Rooms->Add();
      room.Vnum = room_vnum(i);
      room.Name = text_.words(3);
      room.Description = text_.lines(3 + text_.number(3));
      room.Sector = 1 + text_.number(8);
      if (i % 17 == 0) room.Flags = 1u << text_.number(10);
      link_neighbours(room, i);
      if (i % 8 == 0) {
        TAreaExtraDesc& desc = room.ExtraDescs.Add();
        desc.Keyword = text_.words(2);
        desc.Description = text_.lines(2);
      }
      if (i % 50 == 0) {
        TAreaMap& map = room.EnsureMap();
        map.MapVnum = 3000 + index_;
        map.MapX = i % 79;
        map.MapY = (i / 79) % 49;
        map.Entry = '#';
      }
      if (i % 40 == 0) add_program(*room.Progs, i);
    }
    if (index_ > 0)
      area_.Rooms->Items[0]->EnsureDoor(DIR_DOWN).ToVnum = index_ * kVnumsPerArea;  // the previous area
  }

  void link_neighbours(TAreaRoom& room, int32_t i) {
    const int32_t column = i % kGridWidth;
    if (column + 1 < kGridWidth && i + 1 < rooms_) add_exit(room, DIR_EAST, i + 1, i % 10 == 0);
    if (column > 0) add_exit(room, DIR_WEST, i - 1, (i - 1) % 10 == 0);
    if (i + kGridWidth < rooms_) add_exit(room, DIR_SOUTH, i + kGridWidth, false);
    if (i >= kGridWidth) add_exit(room, DIR_NORTH, i - kGridWidth, false);
  }

  void add_exit(TAreaRoom& room, int32_t direction, int32_t target, bool door) {
    TAreaDoor& exit = room.EnsureDoor(direction);
    exit.ToVnum = room_vnum(target);
    if (!door) return;
    exit.Flags = EX_ISDOOR | EX_CLOSED;
    exit.Keyword = text_.words(1);
    exit.Description = text_.lines(1);
    exit.Sex = text_.number(3);
    exit.ShortName() = text_.words(2);
    exit.OpenState() = text_.words(4);
    exit.CloseState() = text_.words(4);
    exit.OpenAction() = text_.words(5);
    exit.CloseAction() = text_.words(5);
    exit.LockAction() = text_.words(4);
  }

  void make_objects() {
    const TStringList& types = world_.ItemTypes;
    const std::array<int32_t, 6> kinds = {
        position_in(types, "ITEM_WEAPON"),    position_in(types, "ITEM_ARMOR"),
        position_in(types, "ITEM_SCROLL"),    position_in(types, "ITEM_LIGHT"),
        position_in(types, "ITEM_CONTAINER"), position_in(types, "ITEM_POTION")};
    for (int32_t i = 0; i < object_count(); ++i) {
      TAreaObject& object = area_.Objects->Add();
      object.Vnum = object_vnum(i);
      object.ItemType = kinds[static_cast<size_t>(i) % kinds.size()];
      object.Name = text_.words(2);
      object.ShortDescription =
          encode_cases({object.Name, object.Name, object.Name, object.Name, object.Name, object.Name});
      object.LongDescription = text_.words(6) + ".";
      object.Description = text_.lines(2);
      object.WearFlags = 1u | (1u << (1 + text_.number(12)));
      object.Weight = 1 + text_.number(20);
      object.Cost = text_.number(5000);
      object.Level = 1 + text_.number(50);
      object.Values = {text_.number(10), text_.number(10), text_.number(10), 0, 0, 0, 0};
      fill_by_kind(object, i % static_cast<int32_t>(kinds.size()));
      if (i % 3 == 0) {
        TAreaAffect& affect = object.Affects.Add();
        affect.Location = 1 + text_.number(5);
        affect.Modifier = 1 + text_.number(3);
      }
      if (i % 5 == 0) {
        TAreaExtraDesc& desc = object.ExtraDescs.Add();
        desc.Keyword = object.Name;
        desc.Description = text_.lines(2);
      }
      if (i % 10 == 0) add_program(*object.Progs, i);
    }
  }

  void fill_by_kind(TAreaObject& object, int32_t kind) {
    if (kind == 0 && world_.Weapons->Count() > 0) {
      const int32_t weapon = text_.number(world_.Weapons->Count());
      object.WeaponType = world_.Weapons->Items[static_cast<size_t>(weapon)].get();
      object.Values[3] = weapon;
    } else if (kind == 2 || kind == 5) {
      for (size_t v = 1; v <= 3; ++v)
        object.Values[v] = skills_[static_cast<size_t>(text_.number(static_cast<int32_t>(skills_.size())))];
    }
  }

  void make_mobiles() {
    for (int32_t i = 0; i < mobile_count(); ++i) {
      TAreaMobile& mobile = area_.Mobiles->Add();
      mobile.Vnum = mobile_vnum(i);
      mobile.Name = text_.words(2);
      mobile.ShortDescription =
          encode_cases({mobile.Name, mobile.Name, mobile.Name, mobile.Name, mobile.Name, mobile.Name});
      mobile.LongDescription = text_.words(7) + ".\r\n";
      mobile.Description = text_.lines(3);
      mobile.Sex = text_.number(3);
      mobile.Level = 1 + text_.number(50);
      mobile.Alignment = text_.number(2001) - 1000;
      mobile.HitDice = {mobile.Level, 8, mobile.Level * 10};
      mobile.DamDice = {2, 4, mobile.Level / 2};
      mobile.Gold = text_.number(1000);
      mobile.Complex = i % 3 == 0;
      if (i % 4 == 0) add_program(*mobile.Progs, i + 1);
    }
  }

  void make_resets() {
    TAreaResets& resets = *area_.Resets;
    const int32_t wear_location = 16;
    for (int32_t i = 0; i < mobile_count(); ++i) {
      const int32_t room = room_vnum(text_.number(rooms_));
      resets.Add().SetMobile(room, mobile_vnum(i), 1 + text_.number(3));
      resets.Add().SetEquip(object_vnum(text_.number(object_count())), wear_location);
      resets.Add().SetGive(object_vnum(text_.number(object_count())));
    }
    for (int32_t i = 0; i < object_count(); i += 2) {
      resets.Add().SetObject(room_vnum(text_.number(rooms_)), object_vnum(i));
      if (i + 1 < object_count()) resets.Add().SetPut(object_vnum(i + 1), object_vnum(i));
    }
    for (int32_t i = 0; i < rooms_; i += 10) {
      TAreaReset& door = resets.Add();
      door.Command = 'D';
      door.Arg1 = room_vnum(i);
      door.Arg2 = DIR_EAST;
      door.Arg3 = 1;
    }
  }

  TWorld& world_;
  TArea& area_;
  int32_t index_;
  int32_t rooms_;
  TTextMaker& text_;
  std::vector<int32_t> skills_;
};

std::string make_temporary_root() {
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path path = fs::temp_directory_path() / ("tavro-world-" + std::to_string(entropy()));
    if (fs::create_directory(path)) return path.string();
  }
  throw std::runtime_error("cannot create a temporary folder for the generated world");
}

void copy_sample(const fs::path& root) {
  const fs::path sample = TAVRO_SAMPLE_DIR;
  fs::copy_file(sample / "TavroEd.ini", root / "TavroEd.ini");
  fs::copy(sample / "files", root / "files", fs::copy_options::recursive);
  fs::create_directories(root / "mud" / "area");
  fs::create_directories(root / "mud" / "mudprogs");
  for (const char* folder : {"system", "races", "classes"})
    fs::copy(sample / "mud" / folder, root / "mud" / folder, fs::copy_options::recursive);
  std::ofstream(root / "mud" / "area" / "area.lst") << "$\n";
}

uint64_t status_field(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::stoull(line.substr(prefix.size())) * 1024;  // kB
  return 0;
}

}  // namespace

TGeneratedWorld::TGeneratedWorld(const TWorldShape& shape) : Root(make_temporary_root()) {
  StartFolder = Root;
  MudFolder = (fs::path(Root) / "mud").string();
  copy_sample(Root);
  TWorld world(StartFolder, MudFolder);
  TTextMaker text(shape.Seed);
  for (int32_t i = 0; i < shape.Areas; ++i) {
    TArea area(world.Areas.get());
    TAreaMaker(world, area, i, shape.RoomsPerArea, text).make();
    const std::string path = (fs::path(MudFolder) / "area" / ("gen" + std::to_string(i) + ".are")).string();
    area.save_area(path);  // a new area: its name joins the areas list
    AreaPaths.push_back(path);
    AreaBytes += fs::file_size(path);
  }
}

TGeneratedWorld::~TGeneratedWorld() {
  std::error_code ignored;
  fs::remove_all(Root, ignored);
}

uint64_t resident_bytes() {
  return status_field("VmRSS");
}

uint64_t peak_resident_bytes() {
  return status_field("VmHWM");
}

bool reset_peak_resident_bytes() {
  std::ofstream clear_refs("/proc/self/clear_refs");
  clear_refs << "5";
  clear_refs.flush();
  return static_cast<bool>(clear_refs);
}

}  // namespace tavro::bench
