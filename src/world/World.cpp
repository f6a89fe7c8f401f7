#include "world/World.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "area/Area.h"
#include "reading/AreaFile.h"
#include "reading/BitVector.h"
#include "reading/Error.h"
#include "reading/Paths.h"
#include "world/Areas.h"
#include "world/DamagesWeapons.h"
#include "world/IniFile.h"
#include "world/RacesClasses.h"
#include "world/Skills.h"
#include "world/WorldSpecFunctions.h"
#include "world/TextLists.h"

namespace tavro {

namespace fs = std::filesystem;

namespace {

constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);

std::string with_trailing_separator(std::string folder) {
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += kSeparator;
  return folder;
}

// Both name the same existing folder (or the same text when they cannot be resolved).
bool same_folder(const std::string& a, const std::string& b) {
  std::error_code ec1, ec2;
  fs::path pa = fs::weakly_canonical(native_path(a), ec1);
  fs::path pb = fs::weakly_canonical(native_path(b), ec2);
  if (ec1 || ec2) return a == b;
  return pa == pb;
}

// The constant lists in the order they are loaded; Specials fills the special functions table.
struct ConstantList {
  const char* key;
  TStringList TWorld::*field;
};

constexpr ConstantList kConstantLists[] = {
    {"ProgTypes", &TWorld::ProgTypes},
    {"ItemTypes", &TWorld::ItemTypes},
    {"ItemTypesNative", &TWorld::ItemTypesNative},
    {"ItemTypesValues", &TWorld::ItemTypesValues},
    {"AreaFlags", &TWorld::AreaFlags},
    {"ApplyTypes", &TWorld::ApplyTypes},
    {"ApplyFlags", &TWorld::ApplyFlags},
    {"RISFlags", &TWorld::RISFlags},
    {"Specials", nullptr},
    {"SectorTypes", &TWorld::SectorTypes},
    {"SkillTypes", &TWorld::SkillTypes},
    {"RoomFlags", &TWorld::RoomFlags},
    {"ExitFlags", &TWorld::ExitFlags},
    {"PullTypes", &TWorld::PullTypes},
    {"WearFlags", &TWorld::WearFlags},
    {"ExtraFlags", &TWorld::ExtraFlags},
    {"LayerFlags", &TWorld::LayerFlags},
    {"FurnitureFlags", &TWorld::FurnitureFlags},
    {"LangTypes", &TWorld::LangTypes},
    {"BodyPartFlags", &TWorld::BodyPartFlags},
    {"BodyPartNames", &TWorld::BodyPartNames},
    {"PositionTypes", &TWorld::PositionTypes},
    {"AttackTypes", &TWorld::AttackTypes},
    {"DefenseTypes", &TWorld::DefenseTypes},
    {"ActFlags", &TWorld::ActFlags},
    {"AffectedByFlags", &TWorld::AffectedByFlags},
    {"WearLocations", &TWorld::WearLocations},
    {"CorpseTypes", &TWorld::CorpseTypes},
    {"CreatureTypes", &TWorld::CreatureTypes},
};

bool parse_int(std::string_view text, int32_t& value) {
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

int32_t position_or(int32_t position, int32_t absent) {
  return position < 0 ? absent : position;
}

}  // namespace

int32_t position_from_stored(int32_t stored) {
  if (stored >= 100) return stored - 100;
  switch (stored) {
    case 5:
      return 6;
    case 6:
      return 8;
    case 7:
      return 9;
    case 8:
      return 12;
    case 9:
      return 13;
    case 10:
      return 14;
    case 11:
      return 15;
    default:
      return stored;
  }
}

TWorld::TWorld()
    : SpecFunctions(std::make_unique<TWorldSpecFunctions>()),
      Areas(std::make_unique<TAreas>(this)),
      Skills(std::make_unique<TWorldSkills>(this)),
      Damages(std::make_unique<TWorldDamages>(this)),
      Weapons(std::make_unique<TWorldWeapons>(this)),
      Races(std::make_unique<TWorldRaces>(this)),
      Classes(std::make_unique<TWorldClasses>(this)) {}

TWorld::TWorld(const std::string& start_folder, const std::string& mud_folder) : TWorld() {
  TIniFile ini(resolve_path_case(join_path(start_folder, "TavroEd.ini")));
  ListsPath = with_trailing_separator(join_path(start_folder, ini.ReadString("Files", "Path", "files")));
  MudPath = mud_folder;
  for (char letter : ini.ReadString("MudConstants", "NonWearFlags", "ANOP"))
    NonWearFlags |= flag_value(letter);
  load_constant_lists(ini);
  write_back_mud_path(ini, start_folder, mud_folder);
  MudPath = with_trailing_separator(MudPath);
  InFileProgName = to_upper(ini.ReadString("MudConstants", "InFileProg", "IN_FILE_PROG"));
  load_reference_data();
  load_sector_colors(ini);
  try {
    load_areas_list();
  } catch (const Error& e) {
    AreasListError = e.what();
  }
}

TWorld::~TWorld() = default;

void TWorld::load_constant_lists(const TIniFile& ini) {
  for (const ConstantList& list : kConstantLists) {
    std::string file = ini.ReadString("Files", list.key, std::string(list.key) + ".lst");
    TStringList entries = load_list_file(join_path(ListsPath, file));
    if (list.field)
      this->*list.field = std::move(entries);
    else
      SpecFunctions->Items = std::move(entries);
  }
}

// The ini remembers the server root for the next start. A stored value that already names the same
// folder (a path relative to the start folder, say) is kept as written.
void TWorld::write_back_mud_path(TIniFile& ini, const std::string& start_folder,
                                 const std::string& mud_folder) {
  std::string stored = ini.ReadString("MudFiles", "Path", "");
  if (!stored.empty() && same_folder(join_path(start_folder, stored), mud_folder)) return;
  ini.WriteString("MudFiles", "Path", mud_folder);  // a read-only settings file is not a reason to stop
}

void TWorld::load_reference_data() {
  Skills->Load(join_path(MudPath, "system\\skills.dat"));
  Damages->Load(join_path(MudPath, "system\\damages.dat"));
  Weapons->Load(join_path(MudPath, "system\\weapontypes.dat"));
  Races->Load(join_path(MudPath, "races\\race.lst"));
  Classes->Load(join_path(MudPath, "classes\\class.lst"));
}

void TWorld::load_sector_colors(const TIniFile& ini) {
  std::string value = ini.ReadString("MudFiles", "SectorColors", "SectorColors.lst");
  SectorColorsFile = join_path(join_path(MudPath, "system"), value);
  TStringList entries;
  try {
    entries = load_list_file(SectorColorsFile);
  } catch (const Error&) {
    // No colours file yet: every sector starts black.
  }
  set_sector_colors(entries);
  for (size_t i = 0; i < SectorTypes.size(); ++i) {
    int32_t found = index_of_name(SectorColors, SectorTypes[i]);
    std::string colour = "0";
    if (found >= 0) {
      colour = std::string(entry_value(SectorColors[static_cast<size_t>(found)]));
      SectorColors.erase(SectorColors.begin() + found);
    }
    add_sorted(SectorColors, std::to_string(i) + "=" + colour);
  }
}

int32_t TWorld::sector_color(int32_t sector) const {
  int32_t found = index_of_name(SectorColors, std::to_string(sector));
  int32_t colour = 0;
  if (found < 0 || !parse_int(entry_value(SectorColors[static_cast<size_t>(found)]), colour)) return 0;
  return colour;
}

void TWorld::set_sector_colors(const TStringList& entries) {
  SectorColors.clear();
  for (const std::string& entry : entries)
    add_sorted(SectorColors, entry);
}

void TWorld::save_sector_colors() const {
  std::string text;
  for (const std::string& entry : SectorColors) {
    int32_t sector = -1;
    bool indexed = parse_int(entry_name(entry), sector) && sector >= 0 &&
                   sector < static_cast<int32_t>(SectorTypes.size());
    // Entries that name no sector index (kept from the file) are written back as they were.
    text +=
        indexed ? SectorTypes[static_cast<size_t>(sector)] + "=" + std::string(entry_value(entry)) : entry;
    text += "\r\n";
  }
  write_file_atomically(resolve_path_case(SectorColorsFile), text);
}

void TWorld::load_areas_list() {
  AreaNames.clear();
  std::string last_word;
  try {
    TAreaFile f;
    f.load_file(resolve_path_case(join_path(MudPath, "area\\area.lst")));
    for (;;) {
      std::string word = fread_word(f);
      if (!word.empty() && word.front() == '$') break;
      last_word = word;
      AreaNames.push_back(std::move(word));
    }
  } catch (const Error& e) {
    AreaNames.clear();
    throw Error("Load Areas List (" + last_word + "):\r\n" + e.what());
  }
}

void TWorld::save_areas_list() const {
  with_prefix("Save Areas List:\r\n", [&] {
    TAreaFile f;
    f.clear();
    for (const std::string& name : AreaNames) {
      fwrite_text(f, name);
      fwrite_eol(f);
    }
    fwrite_text(f, "$\n");
    f.save_file(resolve_path_case(join_path(MudPath, "area\\area.lst")));
  });
}

int32_t TWorld::skill_type_index(std::string_view name) const {
  return position_or(index_of_text(SkillTypes, name), 0);
}

int32_t TWorld::item_type_index(std::string_view name) const {
  return index_of_text(ItemTypes, name);
}

int32_t TWorld::apply_type_index(std::string_view name) const {
  return index_of_text(ApplyTypes, name);
}

int32_t TWorld::native_item_type_index(std::string_view name) const {
  return index_of_text(ItemTypesNative, name);
}

bool TWorld::item_type_is(int32_t item_type, std::initializer_list<std::string_view> names) const {
  for (std::string_view name : names)
    if (int32_t position = item_type_index(name); position >= 0 && position == item_type) return true;
  return false;
}

bool TWorld::apply_type_is(int32_t location, std::initializer_list<std::string_view> names) const {
  for (std::string_view name : names)
    if (int32_t position = apply_type_index(name); position >= 0 && position == location) return true;
  return false;
}

int32_t TWorld::body_part_name_index(std::string_view display_name) const {
  return index_of_display_name(BodyPartNames, display_name);
}

int32_t TWorld::ris_flag_index(std::string_view display_name) const {
  return index_of_display_name(RISFlags, display_name);
}

int32_t TWorld::corpse_type_index(std::string_view name) const {
  return position_or(index_of_name(CorpseTypes, to_upper(name)), 0);
}

int32_t TWorld::creature_type_index(std::string_view name) const {
  return position_or(index_of_name(CreatureTypes, to_upper(name)), 0);
}

uint32_t TWorld::exit_flags_of(const std::vector<std::string>& names) const {
  return names_to_flags(ExitFlags, names);
}

}  // namespace tavro
