#include "area/Mobiles.h"

#include <algorithm>
#include <limits>

#include "area/Area.h"
#include "area/Header.h"
#include "area/NumberRuns.h"
#include "area/VnumSection.h"
#include "reading/AreaFile.h"
#include "reading/Cases.h"
#include "reading/Error.h"
#include "world/Areas.h"
#include "world/RacesClasses.h"
#include "world/World.h"

namespace tavro {

namespace {

// Written name, then the two Cyrillic names also accepted (Windows-1251).
const std::array<std::array<const char*, 3>, kSexCount> kSexNames = {{
    {"ALL", "\xE2\xF1\xE5", "\xC2\xD1\xC5"},
    {"MALE", "\xEC\xF3\xE6\xF7\xE8\xED\xE0", "\xCC\xD3\xC6\xD7\xC8\xCD\xC0"},
    {"FEMALE", "\xE6\xE5\xED\xF9\xE8\xED\xE0", "\xC6\xC5\xCD\xD9\xC8\xCD\xC0"},
    {"NEUTRAL", "\xED\xE5\xE9\xF2\xF0\xE0\xEB", "\xCD\xC5\xC9\xD2\xD0\xC0\xCB"},
}};

bool is_decimal(std::string_view word) {
  size_t start = (!word.empty() && word[0] == '-') ? 1 : 0;
  return word.size() > start &&
         std::all_of(word.begin() + static_cast<std::ptrdiff_t>(start), word.end(), is_digit);
}

int32_t area_version(const TAreaMobiles* owner) {
  if (owner == nullptr || owner->Area == nullptr) return TAreaHeader::kCurrentVersion;
  return owner->Area->Header->Version;
}

// Race and class: numbers in old files, names since versions 9 and 10; in memory list positions.
int32_t race_position(const TWorld* world, int32_t number) {
  int32_t position = world == nullptr ? -1 : world->Races->PositionOfNumber(number);
  if (position < 0) throw Error("Unknown race!");
  return position;
}

int32_t class_position(const TWorld* world, int32_t number) {
  int32_t position = world == nullptr ? -1 : world->Classes->PositionOfNumber(number);
  if (position < 0) throw Error("Unknown class!");
  return position;
}

std::string race_name(const TWorld* world, int32_t position) {
  const TWorldRace* race = world == nullptr ? nullptr : world->Races->Item(position);
  if (race == nullptr) throw Error("Race " + std::to_string(position) + " is not in the race list");
  return race->Name;
}

std::string class_name(const TWorld* world, int32_t position) {
  const TWorldClass* cls = world == nullptr ? nullptr : world->Classes->Item(position);
  if (cls == nullptr) throw Error("Class " + std::to_string(position) + " is not in the class list");
  return cls->Name;
}

// The dice "NdS+P": the two separators are skipped whatever they are.
void read_dice(TAreaFile& f, std::array<int32_t, 3>& dice) {
  dice[0] = fread_number(f);
  fread_letter(f);
  dice[1] = fread_number(f);
  fread_letter(f);
  dice[2] = fread_number(f);
}

void write_dice(TAreaFile& f, const std::array<int32_t, 3>& dice) {
  fwrite_number(f, dice[0]);
  fwrite_text(f, "d");
  fwrite_number(f, dice[1]);
  fwrite_text(f, "+");
  fwrite_number(f, dice[2]);
}

// Numbers separated by blanks, then a line feed.
template <class Numbers>
void write_number_line(TAreaFile& f, const Numbers& values) {
  write_numbers(f, values);
  fwrite_eol(f);
}

void write_flags_blank(TAreaFile& f, uint32_t flags) {
  fwrite_flag(f, flags);
  fwrite_text(f, " ");
}

void write_number_blank(TAreaFile& f, int64_t n) {
  fwrite_number(f, n);
  fwrite_text(f, " ");
}

// A text read back ends at its first '~', and loading stops at the first NUL byte: a text holding
// either would make the whole file unreadable, so it is refused, naming the field, before anything
// is written. The section writer adds the vnum.
void check_storable_text(const std::string& text, const char* what) {
  if (text.find('~') != std::string::npos) throw Error(std::string(what) + " contains '~'");
  if (text.find('\0') != std::string::npos) throw Error(std::string(what) + " contains a NUL character");
}

// Positions are stored as value + 100. A negative value (an old file may carry one) is stored as it
// is, which the reader keeps unchanged; value + 100 would read back as a different position.
int64_t position_to_stored(int32_t position, const char* what) {
  if (position < 0) return position;
  if (position > std::numeric_limits<int32_t>::max() - 100)
    throw Error(std::string(what) + " " + std::to_string(position) + " cannot be stored");
  return int64_t{position} + 100;
}

std::string read_short_description(TAreaFile& f, int32_t version) {
  if (version >= 5) return fread_string(f);
  std::array<std::string, 6> forms;
  for (std::string& form : forms)
    form = fread_padej(f);
  return encode_cases(forms);
}

// A shop for the keeper: kept when it has one, else a new one with the default values that joins the
// area's list when the keeper is a mobile of the area rather than an editor's working copy.
template <class Shop>
Shop& ensure_shop(std::unique_ptr<Shop>& slot, TAreaMobile& keeper) {
  if (!slot) {
    slot = std::make_unique<Shop>();
    slot->Keeper = &keeper;
    if (keeper.is_listed()) Shop::list_of(*keeper.area()).Add(slot.get());
  }
  return *slot;
}

// Gives the keeper a copy of source's shop, or none.
template <class Shop>
void assign_shop(std::unique_ptr<Shop>& slot, const Shop* source, TAreaMobile& keeper) {
  if (source == nullptr)
    slot.reset();
  else
    ensure_shop(slot, keeper).Assign(*source);
}

}  // namespace

std::string sex_name(int32_t sex) {
  if (sex < 0 || sex >= kSexCount) return std::to_string(sex);  // an old file's odd value survives
  return kSexNames[static_cast<size_t>(sex)][0];
}

int32_t sex_value(std::string_view name) {
  std::string word(name);
  for (char& ch : word)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  for (int32_t sex = 0; sex < kSexCount; ++sex)
    for (const char* known : kSexNames[static_cast<size_t>(sex)])
      if (word == known) return sex;
  if (is_decimal(word)) return static_cast<int32_t>(std::stol(word));
  return 0;
}

TAreaMobile::TAreaMobile(TAreaMobiles* owner)
    : Progs(std::make_unique<TWorldProgs>(owner != nullptr && owner->Area != nullptr ? owner->Area->world()
                                                                                     : nullptr)),
      Owner(owner) {}

TAreaMobile::~TAreaMobile() = default;

bool TAreaMobile::is_listed() const {
  if (Owner == nullptr || Owner->Area == nullptr) return false;
  return std::any_of(Owner->Items.begin(), Owner->Items.end(),
                     [&](const auto& m) { return m.get() == this; });
}

void TAreaMobile::SetHasShop(bool has) {
  if (!has)
    Shop.reset();
  else
    ensure_shop(Shop, *this);
}

void TAreaMobile::SetHasRepairShop(bool has) {
  if (!has)
    RepairShop.reset();
  else
    ensure_shop(RepairShop, *this);
}

TArea* TAreaMobile::area() const {
  return Owner == nullptr ? nullptr : Owner->Area;
}

TWorld* TAreaMobile::world() const {
  return area() == nullptr ? nullptr : area()->world();
}

void TAreaMobile::Read(TAreaFile& f) {
  int32_t version = area_version(Owner);
  Name = fread_string(f);
  ShortDescription = read_short_description(f, version);
  LongDescription = fread_string(f);
  Description = fread_string(f);
  ActFlags = fread_bitvector(f);
  AffectedBy = fread_bitvector(f);
  Alignment = fread_number(f);
  char letter = fread_letter(f);
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  Level = fread_number(f);
  Thac0 = fread_number(f);
  AC = fread_number(f);
  read_dice(f, HitDice);
  read_dice(f, DamDice);
  Gold = fread_number(f);
  Exp = fread_number(f);
  Position = position_from_stored(fread_number(f));
  DefPosition = position_from_stored(fread_number(f));
  Sex = version >= 9 ? sex_value(fread_word(f)) : fread_number(f);
  if (letter != 'C' && letter != 'S') throw Error(std::string("Letter '") + letter + "' not S or C.");
  Complex = letter == 'C';
  if (Complex) ReadComplex(f, version);
  char next = fread_letter(f);
  f.ungetc();
  if (next == '>') Progs->Read(f);
}

void TAreaMobile::ReadComplex(TAreaFile& f, int32_t version) {
  const TWorld* w = world();
  read_numbers(f, Stats);
  read_numbers(f, Saves);
  int32_t race_number =
      version >= 9 ? (w == nullptr ? -1 : w->Races->NumberOfName(fread_string(f))) : fread_number(f);
  Race = race_position(w, race_number);
  int32_t class_number =
      version >= 10 ? (w == nullptr ? -1 : w->Classes->NumberOfName(fread_string(f))) : fread_number_eol(f);
  Class = class_position(w, class_number);
  Height = fread_number_eol(f);
  Weight = fread_number_eol(f);
  Speaks = fread_number_eol(f);
  Speaking = fread_number_eol(f);
  NumAttacks = fread_number_eol(f);
  Hitroll = fread_number(f);
  Damroll = fread_number(f);
  Parts = fread_flag(f);
  Resistant = fread_flag(f);
  Immune = fread_flag(f);
  Susceptible = fread_flag(f);
  Attacks = fread_bitvector(f);
  Defenses = fread_bitvector(f);
}

void TAreaMobile::CheckStorable() const {
  check_storable_text(Name, "Name");
  check_storable_text(ShortDescription, "Short description");
  check_storable_text(LongDescription, "Long description");
  check_storable_text(Description, "Description");
}

void TAreaMobile::Write(TAreaFile& f) const {
  CheckStorable();
  fwrite_text(f, "#");
  fwrite_number(f, Vnum);
  fwrite_eol(f);
  fwrite_string(f, Name);
  fwrite_eol(f);
  fwrite_string(f, ShortDescription);
  fwrite_eol(f);
  fwrite_string(f, strip_trailing_newlines(remove_cr(LongDescription)));
  fwrite_eol(f);
  fwrite_long_string(f, Description);
  fwrite_eol(f);
  fwrite_bitvector(f, ActFlags);
  fwrite_text(f, " ");
  fwrite_bitvector(f, AffectedBy);
  fwrite_text(f, " ");
  fwrite_number(f, Alignment);
  fwrite_text(f, Complex ? " C\n" : " S\n");
  write_number_blank(f, Level);
  write_number_blank(f, Thac0);
  write_number_blank(f, AC);
  write_dice(f, HitDice);
  fwrite_text(f, " ");
  write_dice(f, DamDice);
  fwrite_eol(f);
  write_number_blank(f, Gold);
  fwrite_number(f, Exp);
  fwrite_eol(f);
  write_number_blank(f, position_to_stored(Position, "Position"));
  write_number_blank(f, position_to_stored(DefPosition, "Default position"));
  fwrite_text(f, sex_name(Sex));
  fwrite_eol(f);
  if (Complex) WriteComplex(f);
  Progs->Write(f);
  fwrite_eol(f);
}

void TAreaMobile::WriteComplex(TAreaFile& f) const {
  const TWorld* w = world();
  write_number_line(f, Stats);
  write_number_line(f, Saves);
  fwrite_string(f, race_name(w, Race));
  fwrite_text(f, " ");
  fwrite_string(f, class_name(w, Class));
  fwrite_text(f, " ");
  write_number_line(f, std::array<int32_t, 5>{Height, Weight, Speaks, Speaking, NumAttacks});
  write_number_blank(f, Hitroll);
  write_number_blank(f, Damroll);
  write_flags_blank(f, Parts);
  write_flags_blank(f, Resistant);
  write_flags_blank(f, Immune);
  write_flags_blank(f, Susceptible);
  fwrite_bitvector(f, Attacks);
  fwrite_text(f, " ");
  fwrite_bitvector(f, Defenses);
  fwrite_eol(f);
}

void TAreaMobile::Assign(const TAreaMobile& source) {
  if (&source == this) return;
  TAreaMobileData::operator=(source);
  Progs->Assign(*source.Progs);
  assign_shop(Shop, source.Shop.get(), *this);
  assign_shop(RepairShop, source.RepairShop.get(), *this);
}

TAreaMobiles::~TAreaMobiles() {
  Clear();
}

void TAreaMobiles::Clear() {
  while (!Items.empty())
    Items.pop_back();
}

void TAreaMobiles::ReadSection(TAreaFile& f) {
  read_vnum_section(f, "#MOBILES", *this, [&](TAreaMobile& mobile) { mobile.Read(f); });
}

void TAreaMobiles::WriteSection(TAreaFile& f) const {
  write_vnum_section(f, "#MOBILES", *this, [&](const TAreaMobile& mobile) { mobile.Write(f); });
}

TAreaMobile* TAreaMobiles::FindByVnum(int32_t vnum) const {
  return find_by_vnum(*this, vnum);
}

int32_t TAreaMobiles::NextFreeVnum() const {
  return next_free_vnum(*this);
}

TAreaMobile& TAreaMobiles::Add() {
  Items.push_back(std::make_unique<TAreaMobile>(this));
  return *Items.back();
}

}  // namespace tavro
