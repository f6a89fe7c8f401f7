#include "area/Area.h"

#include <algorithm>
#include <string_view>

#include "area/Header.h"
#include "area/Helps.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Resets.h"
#include "area/Rooms.h"
#include "area/Shops.h"
#include "reading/AreaFile.h"
#include "reading/Error.h"
#include "reading/Paths.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {

namespace {

using SectionReader = void (*)(TArea&, TAreaFile&);

struct ListSection {
  std::string_view name;
  SectionReader read;
};

template <class List>
TWorldProgs* progs_of(const List& list, int32_t vnum) {
  auto* record = list.FindByVnum(vnum);
  return record == nullptr ? nullptr : record->Progs.get();
}

// The sections that are not the header's; the header's small sections go to TAreaHeader.
const ListSection kListSections[] = {
    {"HELPS", [](TArea& a, TAreaFile& f) { a.Helps->ReadSection(f); }},
    {"MOBILES", [](TArea& a, TAreaFile& f) { a.Mobiles->ReadSection(f); }},
    {"MUDPROGS",
     [](TArea& a, TAreaFile& f) {
       with_prefix("#MUDPROGS:\r\n",
                   [&] { read_progs_section(f, [&](int32_t vnum) { return progs_of(*a.Mobiles, vnum); }); });
     }},
    {"OBJECTS", [](TArea& a, TAreaFile& f) { a.Objects->ReadSection(f); }},
    {"OBJPROGS",
     [](TArea& a, TAreaFile& f) {
       with_prefix("#OBJPROGS:\r\n",
                   [&] { read_progs_section(f, [&](int32_t vnum) { return progs_of(*a.Objects, vnum); }); });
     }},
    {"ROOMS", [](TArea& a, TAreaFile& f) { a.Rooms->ReadSection(f); }},
    {"RESETS", [](TArea& a, TAreaFile& f) { a.Resets->ReadSection(f); }},
    {"SHOPS", [](TArea& a, TAreaFile& f) { a.Shops->ReadSection(f); }},
    {"REPAIRS", [](TArea& a, TAreaFile& f) { a.RepairShops->ReadSection(f); }},
    {"SPECIALS", read_specials_section},
};

void read_section(TArea& area, const std::string& name, TAreaFile& f) {
  for (const ListSection& section : kListSections) {
    if (section.name == name) {
      section.read(area, f);
      return;
    }
  }
  if (TAreaHeader::is_header_section(name)) {
    area.Header->read_section(name, f);
    return;
  }
  throw Error("Bad section name: " + name);
}

std::string lower_ascii(std::string_view s) {
  std::string result(s);
  for (char& ch : result)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return result;
}

// File names of a Windows world may differ in letter case from each other and from the disk.
bool same_file_name(std::string_view a, std::string_view b) {
  return lower_ascii(a) == lower_ascii(b);
}

}  // namespace

TArea::TArea(TAreas* owner)
    : Owner(owner),
      Header(std::make_unique<TAreaHeader>(this)),
      Helps(std::make_unique<TAreaHelps>(this)),
      Mobiles(std::make_unique<TAreaMobiles>(this)),
      Objects(std::make_unique<TAreaObjects>(this)),
      Shops(std::make_unique<TAreaShops>(this)),
      Rooms(std::make_unique<TAreaRooms>(this)),
      RepairShops(std::make_unique<TAreaRepairShops>(this)),
      Resets(std::make_unique<TAreaResets>(this)) {}

TArea::~TArea() = default;

TWorld* TArea::world() const {
  return Owner == nullptr ? nullptr : Owner->World;
}

void TArea::load_area(const std::string& path) {
  with_prefix("load_area \"" + path + "\":\r\n", [&] {
    TAreaFile f;
    f.load_file(path);
    Header->FileName = file_name_part(path);
    read_area(f);
    IsNew = false;
  });
}

void TArea::read_area(TAreaFile& f) {
  for (;;) {
    if (fread_letter(f) != '#') throw Error("# not found");
    std::string name = to_upper(fread_word(f));
    if (name == "$") break;
    read_section(*this, name, f);
  }
}

void TArea::write_area(TAreaFile& f) const {
  f.clear();
  Header->Write(f);
  Helps->WriteSection(f);
  Mobiles->WriteSection(f);
  Objects->WriteSection(f);
  Rooms->WriteSection(f);
  Resets->WriteSection(f);
  Shops->WriteSection(f);
  RepairShops->WriteSection(f);
  write_specials_section(*this, f);
  fwrite_text(f, "\n#$\n");
}

void TArea::save_area(const std::string& path) {
  with_prefix("save_area \"" + path + "\":\r\n", [&] {
    const std::string name = file_name_part(path);
    TWorld* w = world();
    bool joins_list = IsNew && w != nullptr;
    if (joins_list && std::any_of(w->AreaNames.begin(), w->AreaNames.end(),
                                  [&](const std::string& listed) { return same_file_name(listed, name); }))
      throw Error("The areas list already holds \"" + name +
                  "\": saving this new area under that name would destroy the area of that file.");
    TAreaFile f;
    write_area(f);
    f.save_file(path);
    if (joins_list) {
      w->AreaNames.push_back(name);
      try {
        w->save_areas_list();
      } catch (const Error&) {
        w->AreaNames.pop_back();  // the name joins the list only with the list file
        throw;
      }
    }
    Header->FileName = name;
    IsNew = false;
  });
}

}  // namespace tavro
