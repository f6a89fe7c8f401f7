#pragma once
// One area file in memory: the frame of sections, read by a dispatcher and written in a fixed order.
#include <memory>
#include <string>

namespace tavro {

class TAreas;
class TWorld;
class TAreaFile;
class TAreaHeader;
class TAreaHelps;
class TAreaMobiles;
class TAreaObjects;
class TAreaShops;
class TAreaRepairShops;
class TAreaRooms;
class TAreaResets;

class TArea {
 public:
  explicit TArea(TAreas* owner);
  ~TArea();
  TArea(const TArea&) = delete;
  TArea& operator=(const TArea&) = delete;

  void load_area(const std::string& path);
  void save_area(const std::string& path);
  // The sections of the area, up to and with "#$", from a text already loaded into f, as load_area reads
  // them from a file; neither the file name nor IsNew is touched. Throws Error.
  void read_area(TAreaFile& f);
  // The area's text exactly as save_area writes it (KOI8-R in f's buffer), without touching a file, the
  // area's file name, IsNew or the areas list (autosave writes recovery files this way). Throws Error.
  void write_area(TAreaFile& f) const;
  TWorld* world() const;  // null for an area outside a world (tests)

  TAreas* Owner;
  std::unique_ptr<TAreaHeader> Header;
  std::unique_ptr<TAreaHelps> Helps;
  std::unique_ptr<TAreaMobiles> Mobiles;
  std::unique_ptr<TAreaObjects> Objects;
  std::unique_ptr<TAreaShops> Shops;
  std::unique_ptr<TAreaRooms> Rooms;
  std::unique_ptr<TAreaRepairShops> RepairShops;
  std::unique_ptr<TAreaResets> Resets;
  bool IsNew = true;
  bool ModifiedElsewhere = false;
};

}  // namespace tavro
