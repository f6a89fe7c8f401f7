#pragma once
// The root of everything the editor knows about the server it edits: folders, constant lists,
// reference data, sector colours, the areas list and every loaded area.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
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
class TIniFile;

using TStringList = std::vector<std::string>;

// A mobile position as stored in files: 100 and more stand for (number - 100); smaller numbers are
// the old numbering (5->6, 6->8, 7->9, 8->12, 9->13, 10->14, 11->15, others unchanged).
int32_t position_from_stored(int32_t stored);

class TWorld {
 public:
  // Builds the whole world from TavroEd.ini in start_folder and the server files under mud_folder
  // (both without a trailing separator). Throws Error when a constant list or reference file is
  // missing or broken; an unreadable areas list only sets AreasListError.
  TWorld(const std::string& start_folder, const std::string& mud_folder);
  ~TWorld();
  // An empty world with no files behind it: every list is empty and every reference table exists
  // (empty), so tests fill in what they need.
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

  // Areas list (area\area.lst under MudPath).
  void load_areas_list();
  void save_areas_list() const;
  // Loads one area into Areas; appended only when the load succeeds. Throws Error.
  TArea* load_single_area(const std::string& path);

  // The areas list could not be read during construction: the message to show ("Tavro Ed" box).
  std::string AreasListError;

  // Look-ups on the constant lists. Names are compared in upper case unless stated otherwise.
  int32_t skill_type_index(std::string_view name) const;        // SkillTypes; 0 when absent
  int32_t item_type_index(std::string_view name) const;         // ItemTypes; -1 when absent
  int32_t apply_type_index(std::string_view name) const;        // ApplyTypes; -1 when absent
  int32_t native_item_type_index(std::string_view name) const;  // ItemTypesNative; -1 when absent
  // Whether item_type (location) is the position of one of the names; a missing name matches nothing.
  bool item_type_is(int32_t item_type, std::initializer_list<std::string_view> names) const;
  bool apply_type_is(int32_t location, std::initializer_list<std::string_view> names) const;
  // Entries "n=Name" whose display name equals the text exactly (case matters); -1 when absent.
  int32_t body_part_name_index(std::string_view display_name) const;
  int32_t ris_flag_index(std::string_view display_name) const;
  // Entries "NAME=value" whose name part equals the upper-cased text; 0 when absent.
  int32_t corpse_type_index(std::string_view name) const;
  int32_t creature_type_index(std::string_view name) const;
  // The flag word of a set of ExitFlags display names (names that match nothing add nothing).
  uint32_t exit_flags_of(const std::vector<std::string>& names) const;

  // Sector colours: the platform colour (0x00BBGGRR) of a sector index, 0 when it has none.
  int32_t sector_color(int32_t sector) const;
  // Replaces the colour entries ("index=colour"), keeping the list sorted.
  void set_sector_colors(const TStringList& entries);
  // Writes SectorColorsFile as "sector name=colour" lines. Throws Error when it cannot be written.
  void save_sector_colors() const;

 private:
  void load_constant_lists(const TIniFile& ini);
  void write_back_mud_path(TIniFile& ini, const std::string& start_folder, const std::string& mud_folder);
  void load_reference_data();
  void load_sector_colors(const TIniFile& ini);
};

}  // namespace tavro
