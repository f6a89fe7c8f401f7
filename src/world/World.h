#pragma once
// The root of everything the editor knows about the server it edits: folders, constant lists,
// reference data, sector colours, the areas list and every loaded area.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tavro {

class TAreas;
class TArea;
class TWorldSpecFunctions;
class TWorldSkills;
class TWorldDamages;
class TWorldWeapons;
class TWorldRaces;
class TWorldClasses;

using TStringList = std::vector<std::string>;

class TWorld {
 public:
  // Builds the whole world; throws Error when a constant list or reference file is missing or broken.
  TWorld(const std::string& start_folder, const std::string& mud_folder);
  ~TWorld();
  // An empty world with no files behind it: tests fill in the lists they need.
  TWorld();
  TWorld(const TWorld&) = delete;
  TWorld& operator=(const TWorld&) = delete;

  std::string MudPath;    // ends with the platform separator
  std::string ListsPath;  // ends with the platform separator
  std::string SectorColorsFile;
  std::string InFileProgName;
  uint32_t NonWearFlags = 0;

  TStringList ProgTypes, ItemTypes, ItemTypesNative, ItemTypesValues, AreaFlags, ApplyTypes, ApplyFlags,
      RISFlags, SectorTypes, SkillTypes, RoomFlags, ExitFlags, PullTypes, WearFlags, ExtraFlags, LayerFlags,
      FurnitureFlags, LangTypes, BodyPartFlags, BodyPartNames, PositionTypes, AttackTypes, DefenseTypes,
      ActFlags, AffectedByFlags, WearLocations, CorpseTypes, CreatureTypes;

  std::unique_ptr<TWorldSpecFunctions> SpecFunctions;
  TStringList SectorColors;  // sorted; "index=colour" after construction
  std::unique_ptr<TAreas> Areas;
  TStringList AreaNames;
  std::unique_ptr<TWorldSkills> Skills;
  std::unique_ptr<TWorldDamages> Damages;
  std::unique_ptr<TWorldWeapons> Weapons;
  std::unique_ptr<TWorldRaces> Races;
  std::unique_ptr<TWorldClasses> Classes;

  // Areas list (area\\area.lst under MudPath).
  void load_areas_list();
  void save_areas_list() const;
  // Loads one area into Areas; appended only when the load succeeds. Throws Error.
  TArea* load_single_area(const std::string& path);

  // The areas list could not be read during construction: the message to show ("Tavro Ed" box).
  std::string AreasListError;
};

}  // namespace tavro
