#include "area/RecordChecks.h"

#include "area/Area.h"
#include "area/Header.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Rooms.h"
#include "world/Areas.h"
#include "world/World.h"

namespace tavro {

namespace {

const char* kind_name(RecordKind kind) {
  switch (kind) {
    case RecordKind::Room:
      return "room";
    case RecordKind::Object:
      return "object";
    default:
      return "mobile";
  }
}

// The first record of the kind in area with the vnum, other than self.
const void* holder(const TArea& area, RecordKind kind, int32_t vnum, const void* self) {
  const auto find = [&](const auto& items) -> const void* {
    for (const auto& item : items)
      if (item->Vnum == vnum && item.get() != self) return item.get();
    return nullptr;
  };
  switch (kind) {
    case RecordKind::Room:
      return area.Rooms ? find(area.Rooms->Items) : nullptr;
    case RecordKind::Object:
      return area.Objects ? find(area.Objects->Items) : nullptr;
    default:
      return area.Mobiles ? find(area.Mobiles->Items) : nullptr;
  }
}

std::string area_label(const TArea& area) {
  return "\"" + area.Header->Name + "\" (" + area.Header->FileName + ")";
}

}  // namespace

std::string VnumRefusal(const TArea& area, RecordKind kind, int32_t vnum, const void* self) {
  if (vnum == 0) return "Vnum 0 ends the section in the area file: choose another vnum";
  if (vnum < 0) return "Vnum " + std::to_string(vnum) + " is below 1";
  const TWorld* world = area.world();
  const auto taken_in = [&](const TArea& other) {
    return "Vnum " + std::to_string(vnum) + " is taken by the " + kind_name(kind) + " " +
           std::to_string(vnum) + " of the area " + area_label(other);
  };
  if (world == nullptr || world->Areas == nullptr)
    return holder(area, kind, vnum, self) ? taken_in(area) : std::string();
  for (const auto& other : world->Areas->Items)
    if (holder(*other, kind, vnum, self)) return taken_in(*other);
  if (holder(area, kind, vnum, self)) return taken_in(area);
  return {};
}

std::string TextRefusal(std::string_view text) {
  if (text.find('~') != std::string_view::npos) return "holds '~', which ends a text in the area file";
  if (text.find('\0') != std::string_view::npos) return "holds a NUL character";
  return {};
}

}  // namespace tavro
