#include "area/Rooms.h"

#include "area/Area.h"
#include "area/Programs.h"
#include "area/VnumSection.h"
#include "reading/AreaFile.h"
#include "reading/Error.h"

namespace tavro {

namespace {

inline constexpr int32_t MaxMapX = 78;
inline constexpr int32_t MaxMapY = 48;

TArea* owner_area(const TAreaRooms* owner) {
  return owner != nullptr ? owner->Area : nullptr;
}

// The extended texts of a door in the order the current layout stores them.
constexpr std::array<std::string TDoorTexts::*, DoorTextCount> kTextsInFileOrder = {
#define TAVRO_DOOR_TEXT_MEMBER(name) &TDoorTexts::name,
    TAVRO_DOOR_TEXTS(TAVRO_DOOR_TEXT_MEMBER)
#undef TAVRO_DOOR_TEXT_MEMBER
};

// The six texts of the layout of versions 8 to 10, in their order.
constexpr std::array<std::string TDoorTexts::*, 6> kShortTextsInFileOrder = {
    &TDoorTexts::ShortName,  &TDoorTexts::BashedDescription, &TDoorTexts::OpenState,
    &TDoorTexts::CloseState, &TDoorTexts::OpenAction,        &TDoorTexts::CloseAction};

const TDoorTexts kNoTexts;

void write_number_then_blank(TAreaFile& f, int64_t n) {
  fwrite_number(f, n);
  fwrite_text(f, " ");
}

}  // namespace

// ---- Map entry

void TAreaMap::Read(TAreaFile& f) {
  MapVnum = fread_number(f);
  MapX = fread_number(f);
  MapY = fread_number(f);
  Entry = fread_letter(f);
  const int32_t room = Owner != nullptr ? Owner->Vnum : 0;
  if (MapX < 0 || MapX > MaxMapX) throw Error("Map X coord out of range in Room " + std::to_string(room));
  if (MapY < 0 || MapY > MaxMapY) throw Error("Map Y coord out of range in Room " + std::to_string(room));
}

void TAreaMap::Write(TAreaFile& f) const {
  fwrite_text(f, "M\n");
  write_number_then_blank(f, MapVnum);
  write_number_then_blank(f, MapX);
  write_number_then_blank(f, MapY);
  // The entry is read back as the next non-blank character: a blank one would swallow the next line.
  const char entry = is_space(Entry) ? '.' : Entry;
  fwrite_text(f, std::string_view(&entry, 1));
  fwrite_eol(f);
}

// ---- Doors

void TAreaDoor::Read(TAreaFile& f) {
  Read(f, area_format_version(Owner != nullptr ? Owner->area() : nullptr));
}

void TAreaDoor::Read(TAreaFile& f, int32_t version) {
  Description = fread_string(f);
  Keyword = fread_string(f);
  Flags = fread_flag(f);
  for (int32_t* field : {&Key, &ToVnum, &Distance, &PullType, &Pull})
    *field = fread_number_eol(f);
  if (!IsDoor()) return;
  if (version >= 11) {
    Sex = fread_number(f);
    Multiple = fread_number(f);
    TDoorTexts& texts = edit_texts();
    for (auto text : kTextsInFileOrder)
      texts.*text = fread_string(f);
  } else if (version >= 8) {
    TDoorTexts& texts = edit_texts();
    for (auto text : kShortTextsInFileOrder)
      texts.*text = fread_string(f);
    Sex = fread_number(f);
    Multiple = fread_number(f);
  }
}

const TDoorTexts& TAreaDoor::texts() const {
  return Texts != nullptr ? *Texts : kNoTexts;
}

TDoorTexts& TAreaDoor::edit_texts() {
  if (Texts == nullptr) Texts = std::make_unique<TDoorTexts>();
  return *Texts;
}

bool TAreaDoor::IsWorthWriting() const {
  return ToVnum != 0 || !strip_trailing_newlines(remove_cr(Description)).empty();
}

void TAreaDoor::Write(TAreaFile& f) const {
  fwrite_text(f, "D");
  fwrite_number(f, Direction);
  fwrite_eol(f);
  fwrite_string(f, Description);
  fwrite_eol(f);
  fwrite_string(f, Keyword);
  fwrite_eol(f);
  fwrite_flag(f, Flags);
  for (int32_t number : {Key, ToVnum}) {
    fwrite_text(f, " ");
    fwrite_number(f, number);
  }
  if (Distance > 1 || Pull != 0)
    for (int32_t number : {Distance, PullType, Pull}) {
      fwrite_text(f, " ");
      fwrite_number(f, number);
    }
  fwrite_eol(f);
  if (!IsDoor()) return;
  fwrite_number(f, Sex);
  fwrite_text(f, " ");
  fwrite_number(f, Multiple);
  fwrite_eol(f);
  for (auto text : kTextsInFileOrder) {
    fwrite_string(f, texts().*text);
    fwrite_eol(f);
  }
}

void TAreaDoor::Assign(const TAreaDoor& source) {
  if (&source == this) return;
  TAreaDoorData::operator=(source);
  Texts = source.Texts != nullptr ? std::make_unique<TDoorTexts>(*source.Texts) : nullptr;
  // A copy is a door of its own, neither shown-only nor edited yet.
  IsPlaceholder = false;
  Modified = false;
}

// ---- Rooms

TAreaRoom::TAreaRoom(TAreaRooms* owner)
    : Progs(std::make_unique<TWorldProgs>(area_world(owner_area(owner)))), Owner(owner) {}

TAreaRoom::~TAreaRoom() = default;

TArea* TAreaRoom::area() const {
  return owner_area(Owner);
}

TWorld* TAreaRoom::world() const {
  return area_world(area());
}

void TAreaRoom::Read(TAreaFile& f) {
  Read(f, area_format_version(area()));
}

void TAreaRoom::Read(TAreaFile& f, int32_t version) {
  Name = fread_string(f);
  Description = fread_string(f);
  fread_number(f);  // a field the server no longer uses
  Flags = fread_flag(f);
  for (int32_t* field : {&Sector, &TeleDelay, &TeleVnum, &Tunnel})
    *field = fread_number_eol(f);
  for (;;) {
    switch (fread_letter(f)) {
      case 'D':
        ReadDoor(f, version);
        break;
      case 'E': {
        auto desc = std::make_unique<TAreaExtraDesc>();
        desc->Read(f);
        ExtraDescs.Items.push_back(std::move(desc));
        break;
      }
      case 'M': {
        auto map = std::make_unique<TAreaMap>(this);
        with_prefix("load_room_map:\r\n", [&] { map->Read(f); });
        Map = std::move(map);
        break;
      }
      case '>':
        f.ungetc();
        Progs->Read(f);
        break;
      case 'S':
        return;
      default:
        throw Error("Have flag not 'DESM>'");
    }
  }
}

void TAreaRoom::ReadDoor(TAreaFile& f, int32_t version) {
  const int32_t direction = fread_number(f);
  if (!is_valid_direction(direction)) throw Error("Bad door direction: " + std::to_string(direction));
  auto door = std::make_unique<TAreaDoor>(this, direction);
  with_prefix("load in direction " + std::to_string(direction) + ":\r\n", [&] { door->Read(f, version); });
  Doors[static_cast<size_t>(direction)] = std::move(door);
}

void TAreaRoom::Write(TAreaFile& f) const {
  fwrite_text(f, "#");
  fwrite_number(f, Vnum);
  fwrite_eol(f);
  fwrite_string(f, Name);
  fwrite_eol(f);
  fwrite_long_string(f, Description);
  fwrite_eol(f);
  fwrite_text(f, "0 ");
  fwrite_flag(f, Flags);
  fwrite_text(f, " ");
  fwrite_number(f, Sector);
  if ((TeleDelay > 0 && TeleVnum > 0) || Tunnel >= 1)
    for (int32_t number : {TeleDelay, TeleVnum, Tunnel}) {
      fwrite_text(f, " ");
      fwrite_number(f, number);
    }
  fwrite_eol(f);
  for (const auto& door : Doors)
    if (door != nullptr && door->IsWorthWriting()) door->Write(f);
  ExtraDescs.Write(f);
  if (Map != nullptr) Map->Write(f);
  Progs->Write(f);
  fwrite_text(f, "S\n\n");
}

void TAreaRoom::Assign(const TAreaRoom& source) {
  if (&source == this) return;
  TAreaRoomData::operator=(source);
  for (size_t d = 0; d < Doors.size(); ++d) {
    const TAreaDoor* door = source.Doors[d].get();
    // An empty slot the editor only showed is not a door.
    if (door != nullptr && (!door->IsPlaceholder || door->Modified))
      EnsureDoor(static_cast<int32_t>(d)).Assign(*door);
    else
      Doors[d].reset();
  }
  if (source.Map != nullptr)
    EnsureMap().TAreaMapData::operator=(*source.Map);
  else
    Map.reset();
  ExtraDescs.Assign(source.ExtraDescs);
  Progs->Assign(*source.Progs);
}

TAreaDoor& TAreaRoom::EnsureDoor(int32_t direction) {
  auto& slot = Doors.at(static_cast<size_t>(direction));
  if (slot == nullptr) slot = std::make_unique<TAreaDoor>(this, direction);
  return *slot;
}

TAreaMap& TAreaRoom::EnsureMap() {
  if (Map == nullptr) Map = std::make_unique<TAreaMap>(this);
  return *Map;
}

// ---- The room list

TAreaRooms::~TAreaRooms() = default;

void TAreaRooms::ReadSection(TAreaFile& f) {
  const int32_t version = area_format_version(Area);
  read_vnum_section(f, "#ROOMS", *this, [&](TAreaRoom& room) { room.Read(f, version); });
}

void TAreaRooms::WriteSection(TAreaFile& f) const {
  write_vnum_section(f, "#ROOMS", *this, [&](const TAreaRoom& room) { room.Write(f); });
}

TAreaRoom* TAreaRooms::FindByVnum(int32_t vnum) const {
  return find_by_vnum(*this, vnum);
}

int32_t TAreaRooms::IndexOfVnum(int32_t vnum, int32_t exclude) const {
  for (size_t i = 0; i < Items.size(); ++i) {
    const int32_t v = Items[i]->Vnum;
    if (v == vnum && (exclude == -1 || v != exclude)) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t TAreaRooms::NextFreeVnum() const {
  return next_free_vnum(*this);
}

TAreaRoom& TAreaRooms::Add() {
  return *Items.emplace_back(std::make_unique<TAreaRoom>(this));
}

}  // namespace tavro
