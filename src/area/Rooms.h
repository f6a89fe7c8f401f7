#pragma once
// Rooms of an area (#ROOMS): the room record with its exits (doors), extra descriptions, overland-map
// entry and programs, and the look-ups the area window and the room editor run on the room list.
// The grid fields (X, Y, Level, Unplaced and the list's bounds) belong to the automatic layout.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "area/Directions.h"
#include "area/Objects.h"

namespace tavro {

class TArea;
class TAreaFile;
class TWorld;
class TWorldProgs;
class TAreaRoom;
class TAreaRooms;

// Fixed bits of an exit's flag set.
inline constexpr uint32_t EX_ISDOOR = 1;
inline constexpr uint32_t EX_CLOSED = 2;
inline constexpr uint32_t EX_LOCKED = 4;

// The room's entry on the server's overland map: its plain fields, copied as a whole.
struct TAreaMapData {
  int32_t MapVnum = 0;
  int32_t MapX = 0;  // 0 to 78
  int32_t MapY = 0;  // 0 to 48
  char Entry = '.';
};

class TAreaMap : public TAreaMapData {
 public:
  explicit TAreaMap(TAreaRoom* owner) : Owner(owner) {}

  TAreaRoom* Owner;

  void Read(TAreaFile& f);         // after the letter M
  void Write(TAreaFile& f) const;  // including the letter M
};

// The extended texts of a door, in the order the file keeps them (the current layout).
#define TAVRO_DOOR_TEXTS(X) \
  X(ShortName)              \
  X(OpenState)              \
  X(OpenAction)             \
  X(CloseState)             \
  X(CloseAction)            \
  X(BashState)              \
  X(BashSuccess)            \
  X(BashedDescription)      \
  X(BashNotSuccess)         \
  X(LockAction)             \
  X(LockOpenState)          \
  X(LockOpenAction)         \
  X(LockCloseState)         \
  X(LockCloseAction)        \
  X(BoltAction)             \
  X(BoltOpenState)          \
  X(BoltOpenAction)         \
  X(BoltCloseState)         \
  X(BoltCloseAction)        \
  X(PickState)              \
  X(PickAction)             \
  X(PickSuccess)            \
  X(PickUnsuccess)          \
  X(PickFatalUnsuccess)

inline constexpr int32_t DoorTextCount = 24;

// What a door says when it is opened, closed, bashed, locked, bolted or picked.
struct TDoorTexts {
#define TAVRO_DOOR_TEXT_FIELD(name) std::string name;
  TAVRO_DOOR_TEXTS(TAVRO_DOOR_TEXT_FIELD)
#undef TAVRO_DOOR_TEXT_FIELD
};

// The plain fields of an exit. A copy takes them as a whole, so a field added here is copied too.
struct TAreaDoorData {
  std::string Keyword;
  std::string Description;
  uint32_t Flags = 0;
  int32_t Key = 0;
  int32_t ToVnum = 0;  // 0 = leads nowhere
  int32_t Direction = 0;
  int32_t Distance = 0;
  int32_t Pull = 0;
  int32_t PullType = 0;
  int32_t Sex = 0;       // 0 male, 1 female, 2 neutral
  int32_t Multiple = 0;  // 1 when the door's name is plural
  // The marks sit beside the numbers so that a door stays small: a large area holds hundreds of
  // thousands of them.
  bool IsPlaceholder = false;  // an empty slot shown by the room editor
  bool Modified = false;       // edited in the room editor
};

// One exit of a room.
class TAreaDoor : public TAreaDoorData {
 public:
  TAreaDoor(TAreaRoom* owner, int32_t direction) : Owner(owner) { Direction = direction; }

  TAreaRoom* Owner;
  // Most exits are plain passages: their extended texts take no room until one is written. Read them
  // through the const accessors (empty when there are none), change them through the others.
  std::unique_ptr<TDoorTexts> Texts;

#define TAVRO_DOOR_TEXT_ACCESSORS(name) \
  const std::string& name() const {     \
    return texts().name;                \
  }                                     \
  std::string& name() {                 \
    return edit_texts().name;           \
  }
  TAVRO_DOOR_TEXTS(TAVRO_DOOR_TEXT_ACCESSORS)
#undef TAVRO_DOOR_TEXT_ACCESSORS

  const TDoorTexts& texts() const;
  TDoorTexts& edit_texts();

  bool IsDoor() const {
    return (Flags & EX_ISDOOR) != 0;
  }
  // Reads everything after the "D<direction>" line; the area's version selects the extended texts.
  void Read(TAreaFile& f);
  void Read(TAreaFile& f, int32_t version);
  // Writes the whole exit, its "D" line included (the caller decides whether it is written at all).
  void Write(TAreaFile& f) const;
  // False for an exit that leads nowhere and has no description: such an exit is not saved.
  bool IsWorthWriting() const;
  // Copies every field but the owner, and clears the editor's marks.
  void Assign(const TAreaDoor& source);
};

// The plain fields of a room. A copy takes them as a whole, so a field added here is copied too.
struct TAreaRoomData {
  int32_t Vnum = 0;
  std::string Name;
  std::string Description;
  uint32_t Flags = 0;
  int32_t Sector = 0;
  int32_t TeleDelay = 0;
  int32_t TeleVnum = 0;
  int32_t Tunnel = 0;
  // Grid position computed by the layout; not stored in the file.
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Level = 0;
  bool Unplaced = false;
};

class TAreaRoom : public TAreaRoomData {
 public:
  explicit TAreaRoom(TAreaRooms* owner);
  ~TAreaRoom();
  TAreaRoom(const TAreaRoom&) = delete;
  TAreaRoom& operator=(const TAreaRoom&) = delete;

  TAreaExtraDescs ExtraDescs;
  std::unique_ptr<TWorldProgs> Progs;  // never null
  std::array<std::unique_ptr<TAreaDoor>, DirectionCount> Doors;
  std::unique_ptr<TAreaMap> Map;
  TAreaRooms* Owner;

  // Reads everything after the '#' line with the vnum.
  void Read(TAreaFile& f);
  void Read(TAreaFile& f, int32_t version);
  // Writes the whole room block, the '#' line included.
  void Write(TAreaFile& f) const;
  // Copies everything but the owner: the plain fields, the doors (not the placeholders the editor only
  // showed), the map entry, extra descriptions and programs, each copy owned by this room.
  void Assign(const TAreaRoom& source);

  // The door in a slot, created (owned by this room) when the slot is empty.
  TAreaDoor& EnsureDoor(int32_t direction);
  TAreaMap& EnsureMap();

  TArea* area() const;
  TWorld* world() const;

 private:
  void ReadDoor(TAreaFile& f, int32_t version);
};

class TAreaRooms {
 public:
  explicit TAreaRooms(TArea* area) : Area(area) {}
  ~TAreaRooms();

  int32_t MaxY = 0;
  int32_t MaxX = 0;
  TArea* Area;
  int32_t MinLevel = 0;
  int32_t MaxLevel = 0;
  std::vector<std::unique_ptr<TAreaRoom>> Items;  // file order

  void Clear() { Items.clear(); }
  // Reads the body of #ROOMS (after the section name) up to its "#0".
  void ReadSection(TAreaFile& f);
  // Writes the whole section; nothing for an empty list.
  void WriteSection(TAreaFile& f) const;
  TAreaRoom* FindByVnum(int32_t vnum) const;
  // Index of the first room with this vnum whose vnum differs from exclude (-1 excludes nothing).
  int32_t IndexOfVnum(int32_t vnum, int32_t exclude = -1) const;
  int32_t NextFreeVnum() const;
  TAreaRoom& Add();  // appends a new empty room owned by this list

  void Read(TAreaFile& f) { ReadSection(f); }
  void Write(TAreaFile& f) const { WriteSection(f); }
  TAreaRoom* Find(int32_t vnum) const { return FindByVnum(vnum); }
};

}  // namespace tavro
