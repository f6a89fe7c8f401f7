#pragma once
// A scratch world on disk for the world tests: a start folder with TavroEd.ini and the constant
// lists, and a server root with the reference files, built by each test in its own scratch folder.
#include <filesystem>
#include <string>
#include <string_view>

#include "reading/AreaFile.h"
#include "support/ErrorOf.h"
#include "support/Scratch.h"

namespace tavro::testing {

namespace fs = std::filesystem;

class ScratchWorld {
 public:
  std::string start() const { return path("start"); }
  std::string mud() const { return path("mud"); }
  std::string path(std::string_view relative) const { return scratch_.file(relative); }
  const test::ScratchDir& scratch() const { return scratch_; }

  // Writes bytes as they are (Windows-1251 lists, the settings file).
  void write(std::string_view relative, std::string_view bytes) const {
    test::write_file(path(relative), bytes);
  }
  // Writes a server file: UTF-8 source text, stored as KOI8-R as the server keeps it.
  void write_server(std::string_view relative, std::string_view utf8) const {
    write(relative, cp1251_to_koi8(utf8_to_cp1251(utf8)));
  }
  std::string read(std::string_view relative) const { return test::read_file(path(relative)); }
  void remove(std::string_view relative) const { fs::remove(path(relative)); }

  // Every constant list (small but real), the reference files and an areas list: a world that builds.
  void write_complete() const {
    static const char* const kEmptyLists[] = {
        "ProgTypes",   "ItemTypesValues", "AreaFlags",  "ApplyFlags",      "RoomFlags",    "PullTypes",
        "WearFlags",   "ExtraFlags",      "LayerFlags", "FurnitureFlags",  "LangTypes",    "BodyPartFlags",
        "AttackTypes", "DefenseTypes",    "ActFlags",   "AffectedByFlags", "WearLocations"};
    for (const char* name : kEmptyLists)
      write(std::string("start/files/") + name + ".lst", "");
    write("start/files/ItemTypes.lst", "ITEM_NONE\r\nITEM_LIGHT\r\nITEM_WEAPON\r\nITEM_ARMOR\r\n");
    write("start/files/ItemTypesNative.lst", "none\r\nlight\r\nweapon\r\narmor\r\n");
    write("start/files/ApplyTypes.lst", "NONE\r\nSTR\r\nAFFECT\r\nRESISTANT\r\n");
    write("start/files/RISFlags.lst", "0=FIRE\r\n1=COLD\r\n2=ELECTRICITY\r\n3=ENERGY\r\n");
    write("start/files/Specials.lst", "spec_breath_fire\r\nspec_cast_mage\r\nspec_fido\r\n");
    write("start/files/SectorTypes.lst", "inside\r\ncity\r\nfield\r\nforest\r\n");
    write("start/files/SkillTypes.lst",
          "SKILL_UNKNOWN\r\nSKILL_SPELL\r\nSKILL_SKILL\r\nSKILL_WEAPON\r\nSKILL_TONGUE\r\nSKILL_"
          "HERB\r\nSKILL_RACIAL\r\n");
    write("start/files/ExitFlags.lst", "0=ISDOOR\r\n1=CLOSED\r\n2=LOCKED\r\n10=WINDOW\r\n");
    write("start/files/BodyPartNames.lst", "0=head\r\n1=arms\r\n2=legs\r\n");
    write("start/files/PositionTypes.lst", "dead\r\nmortal\r\nincap\r\nstunned\r\nsleeping\r\n");
    write("start/files/CorpseTypes.lst", "NONE=0\r\nNORMAL=1\r\nSKELETON=2\r\n");
    write("start/files/CreatureTypes.lst", "NONE=0\r\nHUMANOID=1\r\nANIMAL=2\r\n");
    write_server("mud/system/skills.dat",
                 "#SKILL\nName_eng armor~\nName броня~\nType Spell\nSlot 1\nEnd\n\n#END\n");
    write_server("mud/system/damages.dat", "#DAMAGE\nName fire~\nRisflag FIRE\nEnd\n\n#END\n");
    write_server("mud/system/weapontypes.dat",
                 "#WEAPONTYPE\nName sword~\nDamagetype 100 fire~\nSkill armor~\nEnd\n\n#END\n");
    write_server("mud/races/race.lst", "human.race\n$\n");
    write_server("mud/races/human.race", "Name человек~\nName_eng human~\nEnd\n");
    write_server("mud/classes/class.lst", "mage.class\n$\n");
    write_server("mud/classes/mage.class", "Name маг~\nClass 0\nEnd\n");
    write_server("mud/area/area.lst", "town.are\nforest.are\n$\n");
  }

 private:
  test::ScratchDir scratch_;
};

}  // namespace tavro::testing
