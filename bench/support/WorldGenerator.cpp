#include "support/WorldGenerator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string_view>

#include "reading/AreaFile.h"
#include "reading/BitVector.h"
#include "reading/Cases.h"
#include "world/DamagesWeapons.h"
#include "world/RacesClasses.h"
#include "world/Skills.h"
#include "world/WorldSpecFunctions.h"
#include "world/TextLists.h"
#include "world/World.h"

namespace fs = std::filesystem;

namespace tavro::bench {

namespace {

// The game's texts are written here in UTF-8 and held in Windows-1251, like every text in memory; the
// finished area is translated to KOI8-R in one pass.
const std::array<const char*, 40> kWords = {
    "старый",  "каменный", "мост",    "тёмный", "лес",    "тропа",   "ветер",    "холодный",
    "город",   "ворота",   "стража",  "факел",  "стена",  "высокий", "узкий",    "переулок",
    "рынок",   "торговец", "колодец", "башня",  "тишина", "шорох",   "дорога",   "деревянный",
    "трактир", "дым",      "очаг",    "сырой",  "подвал", "паутина", "лестница", "скрипучий",
    "площадь", "фонтан",   "камни",   "мох",    "река",   "берег",   "туман",    "огонь"};

// A word with the endings of its six grammatical cases.
struct TDeclined {
  const char* Stem;
  std::array<const char*, 6> Endings;
};

const std::array<TDeclined, 10> kNouns = {{
    {"стражник", {"", "а", "у", "а", "ом", "е"}},
    {"торговк", {"а", "и", "е", "у", "ой", "е"}},
    {"волк", {"", "а", "у", "а", "ом", "е"}},
    {"меч", {"", "а", "у", "", "ом", "е"}},
    {"щит", {"", "а", "у", "", "ом", "е"}},
    {"книг", {"а", "и", "е", "у", "ой", "е"}},
    {"кольц", {"о", "а", "у", "о", "ом", "е"}},
    {"разбойник", {"", "а", "у", "а", "ом", "е"}},
    {"лампад", {"а", "ы", "е", "у", "ой", "е"}},
    {"сундук", {"", "а", "у", "", "ом", "е"}},
}};

const std::array<TDeclined, 5> kAdjectives = {{
    {"стар", {"ый", "ого", "ому", "ый", "ым", "ом"}},
    {"ржав", {"ый", "ого", "ому", "ый", "ым", "ом"}},
    {"тёмн", {"ый", "ого", "ому", "ый", "ым", "ом"}},
    {"высок", {"ий", "ого", "ому", "ий", "им", "ом"}},
    {"хитр", {"ый", "ого", "ому", "ого", "ым", "ом"}},
}};

const std::array<const char*, 4> kSexNames = {"ALL", "MALE", "FEMALE", "NEUTRAL"};

constexpr int32_t kDoorTexts = 24;  // extended door texts of the current layout

std::string cp1251(const char* utf8) {
  return utf8_to_cp1251(utf8);
}

// Deterministic everywhere: raw mt19937 output, no library distributions.
class TRandom {
 public:
  explicit TRandom(uint32_t seed) : engine_(seed) {}
  int32_t below(int32_t n) { return static_cast<int32_t>(engine_() % static_cast<uint32_t>(std::max(1, n))); }
  int32_t between(int32_t low, int32_t high) { return low + below(high - low + 1); }
  bool percent(int32_t p) { return below(100) < p; }
  template <class T>
  const T& pick(const std::vector<T>& items) {
    return items[static_cast<size_t>(below(static_cast<int32_t>(items.size())))];
  }

 private:
  std::mt19937 engine_;
};

// A word and its case endings in Windows-1251.
struct TDeclinedWord {
  std::string Stem;
  std::array<std::string, 6> Endings;

  explicit TDeclinedWord(const TDeclined& utf8) : Stem(cp1251(utf8.Stem)) {
    for (size_t n = 0; n < Endings.size(); ++n)
      Endings[n] = cp1251(utf8.Endings[n]);
  }
};

// What the generated areas take from the world: names that the readers look up, and positions.
struct TVocabulary {
  std::vector<TDeclinedWord> Nouns, Adjectives;
  std::vector<std::string> Words, Races, Classes, Weapons, Spells, Specials, ProgTypes, ItemTypes;
  int32_t Sectors = 1;
  const TWorld* World = nullptr;

  explicit TVocabulary(const TWorld& world) : World(&world) {
    for (const char* word : kWords)
      Words.push_back(cp1251(word));
    for (const TDeclined& noun : kNouns)
      Nouns.emplace_back(noun);
    for (const TDeclined& adjective : kAdjectives)
      Adjectives.emplace_back(adjective);
    for (const auto& race : world.Races->Items)
      Races.push_back(race->Name);
    for (const auto& one_class : world.Classes->Items)
      Classes.push_back(one_class->Name);
    for (const auto& weapon : world.Weapons->Items)
      Weapons.push_back(weapon->Name);
    for (int32_t i = 0; i < world.Skills->Count(); ++i)
      if (world.Skills->IsValid(i)) Spells.push_back(world.Skills->NameOf(i));
    Specials = world.SpecFunctions->Items;
    for (const std::string& type : world.ProgTypes)
      if (type.find('=') == std::string::npos) ProgTypes.push_back(to_lower(type));
    ItemTypes = world.ItemTypesNative;
    Sectors = std::max<int32_t>(1, static_cast<int32_t>(world.SectorTypes.size()));
    if (Races.empty() || Classes.empty() || Weapons.size() < 2 || Spells.empty() || Specials.empty() ||
        ProgTypes.empty() || world.ItemTypes.size() != world.ItemTypesNative.size())
      throw std::runtime_error("the world lacks the lists and reference data a generated area needs");
  }

  // The native (file) name of an item type, by its identifier in the item-type list.
  const std::string& item_type(std::string_view identifier) const {
    const int32_t position = World->item_type_index(identifier);
    if (position < 0) throw std::runtime_error("no item type " + std::string(identifier));
    return ItemTypes[static_cast<size_t>(position)];
  }
  int32_t item_type_position(std::string_view identifier) const {
    return std::max(0, World->item_type_index(identifier));
  }
  int32_t apply(std::string_view name) const {
    const int32_t position = World->apply_type_index(name);
    if (position < 0) throw std::runtime_error("no apply type " + std::string(name));
    return position;
  }
};

// The kinds of generated objects, in turn.
enum class TObjectKind {
  Weapon,
  UntypedWeapon,
  Armor,
  Scroll,
  Potion,
  Pill,
  Wand,
  Staff,
  Salve,
  Light,
  Container,
  Furniture,
  Plant,
  Projectile,
  MissileWeapon,
  Treasure,
  Food,
  Key,
  Count
};

// One area's text, section by section, in the order and layout of the area writer.
class TAreaGenerator {
 public:
  TAreaGenerator(const TVocabulary& names, const TWorldShape& shape, int32_t index)
      : names_(names),
        shape_(shape),
        index_(index),
        rooms_(std::max(1, shape.RoomsPerArea)),
        width_(std::max(1, static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(rooms_)))))),
        random_(shape.Seed * 7919u + static_cast<uint32_t>(index)) {}

  std::string text() {
    out_.reserve(static_cast<size_t>(rooms_) * 1100);
    header();
    helps();
    mobiles();
    objects();
    rooms();
    resets();
    shops();
    repairs();
    specials();
    out_ += "\n#$\n";
    return cp1251_to_koi8(out_);
  }

 private:
  // Vnums: each area owns a block of 1,000 (or more for larger areas) room, object and mobile vnums.
  int32_t stride() const { return ((rooms_ + 999) / 1000) * 1000; }
  int32_t base() const { return (index_ + 1) * stride(); }
  int32_t room_vnum(int32_t i) const { return base() + i; }
  int32_t object_vnum(int32_t i) const { return base() + i; }
  int32_t mobile_vnum(int32_t i) const { return base() + i; }
  int32_t object_count() const { return std::max(static_cast<int32_t>(TObjectKind::Count), rooms_ / 4); }
  int32_t mobile_count() const { return std::max(6, rooms_ / 5); }
  TObjectKind kind(int32_t object) const {
    return static_cast<TObjectKind>(object % static_cast<int32_t>(TObjectKind::Count));
  }
  bool has_shop(int32_t mobile) const { return mobile % 10 == 1; }
  bool has_repair_shop(int32_t mobile) const { return mobile % 25 == 2; }
  bool has_special(int32_t mobile) const { return mobile % 7 == 3; }

  // Token writers.
  void put(std::string_view s) { out_ += s; }
  void num(int64_t n) { out_ += std::to_string(n); }
  void str(std::string_view s) {
    out_ += s;
    out_ += '~';
  }
  void line(std::string_view s) {
    out_ += s;
    out_ += '\n';
  }
  void str_line(std::string_view s) {
    str(s);
    out_ += '\n';
  }
  // A multi-line text as the writers leave it: its lines, then the tilde on a line of its own.
  void text_block(const std::string& lines) {
    out_ += lines;
    out_ += "~\n";
  }
  void numbers_line(std::initializer_list<int64_t> numbers) {
    bool first = true;
    for (int64_t n : numbers) {
      if (!first) out_ += ' ';
      num(n);
      first = false;
    }
    out_ += '\n';
  }

  // Texts.
  std::string words(int32_t count) {
    std::string text;
    for (int32_t i = 0; i < count; ++i) {
      if (i > 0) text += ' ';
      text += random_.pick(names_.Words);
    }
    return text;
  }
  std::string sentence(int32_t count) { return words(count) + "."; }
  // Lines of about 70 characters, each ended by LF.
  std::string lines(int32_t count) {
    std::string text;
    for (int32_t i = 0; i < count; ++i)
      text += sentence(8) + "\n";
    return text;
  }
  static std::string case_form(const TDeclinedWord& word, int n) {
    return word.Stem + word.Endings[static_cast<size_t>(n)];
  }
  static std::string case_set(const TDeclinedWord& word) {
    std::string set = word.Stem;
    for (const std::string& ending : word.Endings)
      set += ":" + ending;
    return set;
  }
  // Keywords and the short description (a case set) of a mobile or object.
  std::pair<std::string, std::string> declined_name(int32_t i) {
    const TDeclinedWord& noun = names_.Nouns[static_cast<size_t>(i) % names_.Nouns.size()];
    if (i % 3 == 0) return {case_form(noun, 0), case_set(noun)};
    const TDeclinedWord& adjective = random_.pick(names_.Adjectives);
    return {case_form(adjective, 0) + " " + case_form(noun, 0), case_set(adjective) + " " + case_set(noun)};
  }
  static std::string bits(std::initializer_list<int> set_bits) {
    TBitVector v;
    for (int bit : set_bits)
      v.set(bit);
    return bitvector_to_text(v);
  }

  void header() {
    put("#AREA ");
    str(cp1251("Генерированная область ") + std::to_string(index_));
    put("\n\n#VERSION 11\n\n");
    if (index_ % 4 != 3) {
      put("#AUTHOR ");
      str(cp1251("Генератор миров"));
      put("\n\n");
    }
    put("#FLAGS ");
    put(flag_to_letters(index_ % 2 == 0 ? 0u : 5u));
    put(" ");
    num(10 + index_ % 5);
    put("\n\n#RANGES\n");
    numbers_line({1, 10 + index_ % 40, 0, 60});
    put("$\n\n");
    if (index_ % 3 != 2) {
      put("#ECONOMY ");
      numbers_line({index_ * 100, 50000 + index_});
      put("\n");
    }
    put("#RESETMSG ");
    str(sentence(5));
    put("\n\n");
    if (index_ % 2 == 1) {
      put("#CLIMATE ");
      numbers_line({index_ % 3, 1, 2});
      put("\n");
    }
    if (index_ > 0) neighbor(index_ - 1);
    if (index_ + 1 < shape_.Areas) neighbor(index_ + 1);
    if (index_ > 0 || index_ + 1 < shape_.Areas) put("\n");
    if (index_ % 5 == 4) {
      put("#SPELLLIMIT ");
      num(20 + index_);
      put("\n\n");
    }
  }
  void neighbor(int32_t area) {
    put("#NEIGHBOR ");
    str_line(cp1251("Генерированная область ") + std::to_string(area));
  }

  void helps() {
    put("#HELPS\n");
    const std::array<int32_t, 3> levels = {0, -1, 51};
    for (size_t i = 0; i < levels.size(); ++i) {
      num(levels[i]);
      put(" ");
      str_line(to_upper(words(2)) + " " + cp1251("ОБЛАСТЬ") + std::to_string(index_) + "_" +
               std::to_string(i));
      text_block(lines(2 + static_cast<int32_t>(i)) + "\n" + cp1251("Смотрите также: ") + to_upper(words(1)) +
                 ".\n");
      put("\n");
    }
    put("-1 $~\n\n");
  }

  void programs(int32_t seed) {
    const int32_t count = 1 + seed % 2;
    for (int32_t p = 0; p < count; ++p) {
      put("> ");
      put(names_.ProgTypes[static_cast<size_t>(seed + p * 3) % names_.ProgTypes.size()]);
      put(" ");
      str_line((seed + p) % 2 == 0 ? std::string("50") : "p " + words(2));
      text_block("if rand(50)\n  say " + sentence(5) + "\nelse\n  emote " + words(3) + "\nendif\n");
    }
    put("|\n");
  }

  void mobiles() {
    put("#MOBILES\n");
    for (int32_t i = 0; i < mobile_count(); ++i)
      mobile(i);
    put("#0\n\n");
  }

  void mobile(int32_t i) {
    const bool complex = i % 3 == 0;
    const auto [name, short_description] = declined_name(i);
    short_descriptions_.push_back(short_description);
    put("#");
    num(mobile_vnum(i));
    put("\n");
    str_line(name);
    str_line(short_description);
    str_line(sentence(7));  // the long description: no line break before its tilde
    text_block(i % 11 == 5 ? "\n" : lines(1 + random_.below(3)));
    const int32_t level = random_.between(1, 50);
    put(bits({0, 1 + random_.below(30)}) + " " + (i % 4 == 0 ? bits({3, 40}) : std::string("0")) + " ");
    num(random_.between(-1000, 1000));
    put(complex ? " C\n" : " S\n");
    put(std::to_string(level) + " " + std::to_string(21 - level / 3) + " " + std::to_string(10 - level / 4) +
        " ");
    put(std::to_string(level) + "d8+" + std::to_string(level * 10) + " 2d4+" + std::to_string(level / 2) +
        "\n");
    numbers_line({random_.below(1000), level * 100});
    put(std::to_string(100 + 12) + " " + std::to_string(100 + (i % 5 == 0 ? 4 : 12)) + " ");
    line(kSexNames[static_cast<size_t>(i) % kSexNames.size()]);
    if (complex) complex_fields(i);
    if (i % 4 == 1) programs(i);
    put("\n");
  }

  void complex_fields(int32_t i) {
    numbers_line({13, 14, 12, 15, 13, 11, 16});
    numbers_line({0, -1, 0, -2, random_.below(5)});
    str(random_.pick(names_.Races));
    put(" ");
    str(random_.pick(names_.Classes));
    put(" ");
    numbers_line({160 + random_.below(40), 120 + random_.below(80), 1, 1, i % 3});
    put(std::to_string(random_.below(5)) + " " + std::to_string(random_.below(5)) + " ");
    put(flag_to_letters(i % 2 == 0 ? 0x3FFu : 0u) + " " + flag_to_letters(i % 5 == 0 ? 4u : 0u) + " ");
    put(flag_to_letters(0u) + " " + flag_to_letters(i % 6 == 0 ? 0x80000001u : 0u) + " ");
    put(bits({1, 5}) + " " + (i % 2 == 0 ? bits({2, 33}) : std::string("0")) + "\n");
  }

  void objects() {
    put("#OBJECTS\n");
    for (int32_t i = 0; i < object_count(); ++i)
      object(i);
    put("#0\n\n");
  }

  void object(int32_t i) {
    const TObjectKind k = kind(i);
    const auto [name, short_description] = declined_name(i + 1);
    put("#");
    num(object_vnum(i));
    put("\n");
    str_line(name);
    str_line(short_description);
    str_line(sentence(6));
    text_block(i % 4 == 0 ? "\n" : lines(1 + random_.below(2)));
    object_type_line(k);
    object_values(k, i);
    put(std::to_string(random_.between(1, 30)) + " " + std::to_string(random_.below(5000)) + " 0 ");
    put(std::to_string(random_.between(1, 50)) + " " + (i % 6 == 0 ? std::string("100 100 3") : "0 0 0") +
        " \n");
    object_spell_names(k, i);
    if (i % 5 == 0) extra_description();
    object_affects(k, i);
    if (k == TObjectKind::Furniture) put("F\n" + flag_to_letters(0x70u) + " 0 1 1 1\n");
    if (k == TObjectKind::Plant) vegetables(i % 4 == 0 ? 20 : 3);
    if (i % 9 == 4) programs(i);
    put("\n");
  }

  void object_type_line(TObjectKind k) {
    const auto weapon = [&](size_t position) { str(names_.Weapons[position % names_.Weapons.size()]); };
    switch (k) {
      case TObjectKind::Weapon:
        str(names_.item_type("ITEM_WEAPON"));
        put(" ");
        weapon_ = 1 + static_cast<size_t>(random_.below(static_cast<int32_t>(names_.Weapons.size()) - 1));
        weapon(weapon_);
        put(" ");
        break;
      case TObjectKind::UntypedWeapon:
        str(names_.item_type("ITEM_WEAPON"));
        put(" ~ ");
        break;
      case TObjectKind::Projectile:
        str(names_.item_type("ITEM_PROJECTILE"));
        put(" ");
        weapon(names_.Weapons.size() - 1);
        put(" ");
        weapon(names_.Weapons.size() - 2);  // the launcher, into value 6
        put(" ");
        break;
      case TObjectKind::MissileWeapon:
        str(names_.item_type("ITEM_MISSILE_WEAPON"));
        put(" ");
        weapon(names_.Weapons.size() - 2);
        put(" ");
        break;
      default:
        str(names_.item_type(type_identifier(k)));
        put(" ");
    }
    put(k == TObjectKind::Armor ? bits({0, 36}) : bits({static_cast<int>(k) % 20}));
    put(" " + flag_to_letters(1u | (1u << (1 + static_cast<int>(k) % 20))) + " ");
    num(k == TObjectKind::Armor ? 8 : 0);
    put("\n");
  }

  static const char* type_identifier(TObjectKind k) {
    switch (k) {
      case TObjectKind::Armor:
        return "ITEM_ARMOR";
      case TObjectKind::Scroll:
        return "ITEM_SCROLL";
      case TObjectKind::Potion:
        return "ITEM_POTION";
      case TObjectKind::Pill:
        return "ITEM_PILL";
      case TObjectKind::Wand:
        return "ITEM_WAND";
      case TObjectKind::Staff:
        return "ITEM_STAFF";
      case TObjectKind::Salve:
        return "ITEM_SALVE";
      case TObjectKind::Light:
        return "ITEM_LIGHT";
      case TObjectKind::Container:
        return "ITEM_CONTAINER";
      case TObjectKind::Furniture:
        return "ITEM_FURNITURE";
      case TObjectKind::Plant:
        return "ITEM_PLANT";
      case TObjectKind::Treasure:
        return "ITEM_TREASURE";
      case TObjectKind::Food:
        return "ITEM_FOOD";
      case TObjectKind::Key:
        return "ITEM_KEY";
      default:
        return "ITEM_TRASH";
    }
  }

  // The values line. Spell values that name a skill are written as -1 (the names follow); value 6 is
  // never written; values 4 and 5 only when one of them is above 0.
  void object_values(TObjectKind k, int32_t i) {
    const int32_t v0 = random_.between(1, 20);
    switch (k) {
      case TObjectKind::Weapon:
        numbers_line({v0, random_.between(1, 4), random_.between(4, 10), static_cast<int64_t>(weapon_)});
        break;
      case TObjectKind::UntypedWeapon:
        numbers_line({v0, 1, 6, 0});
        break;
      case TObjectKind::Scroll:
      case TObjectKind::Potion:
      case TObjectKind::Pill:
        numbers_line({v0, -1, -1, i % 2 == 0 ? -1 : 0});
        break;
      case TObjectKind::Wand:
      case TObjectKind::Staff:
        numbers_line({v0, 10, 10, -1});
        break;
      case TObjectKind::Salve:  // its spells (values 4 and 5) come from the names line
        numbers_line({v0, 3, 3, 2});
        break;
      case TObjectKind::MissileWeapon:
        numbers_line({v0, 3, 2, 1});  // value 3 is kept as written for this type
        break;
      case TObjectKind::Treasure:
      case TObjectKind::Food:
        numbers_line({v0, 0, 0, 0, random_.between(1, 9), random_.below(9)});
        break;
      default:
        numbers_line({v0, random_.below(10), random_.below(10), random_.below(10)});
    }
  }

  std::string quoted_spell() { return "'" + random_.pick(names_.Spells) + "'"; }

  // The names line of a spell object: a skill name for each value written as -1, NONE for the others.
  void object_spell_names(TObjectKind k, int32_t i) {
    switch (k) {
      case TObjectKind::Scroll:
      case TObjectKind::Potion:
      case TObjectKind::Pill:
        line(quoted_spell() + " " + quoted_spell() + " " + (i % 2 == 0 ? quoted_spell() : "'NONE'"));
        break;
      case TObjectKind::Wand:
      case TObjectKind::Staff:
        line(quoted_spell());
        break;
      case TObjectKind::Salve:
        line(i % 4 == 0 ? "'NONE' 'NONE'" : quoted_spell() + " " + quoted_spell());
        break;
      default:
        break;
    }
  }

  void extra_description() {
    put("E\n");
    str_line(words(2));
    text_block(lines(2));
  }

  void object_affects(TObjectKind k, int32_t i) {
    if (i % 3 == 0)
      affect(names_.apply(i % 2 == 0 ? "STR" : "HITROLL"), std::to_string(random_.between(-2, 3)));
    if (k == TObjectKind::Armor) affect(names_.apply("AC"), std::to_string(-random_.between(1, 10)));
    if (k == TObjectKind::Weapon && i % 2 == 0) affect(names_.apply("WEAPONSPELL"), quoted_spell());
    if (k == TObjectKind::Light) affect(names_.apply("RESISTANT"), std::to_string(1 << (i % 10)));
  }
  void affect(int32_t location, const std::string& modifier) {
    put("A\n");
    line(std::to_string(location) + " " + modifier);
  }

  void vegetables(int32_t count) {
    put("S\n");
    for (int32_t v = 0; v < count; ++v)
      str_line(words(2));
    put("|\n");
  }

  void rooms() {
    put("#ROOMS\n");
    for (int32_t i = 0; i < rooms_; ++i)
      room(i);
    put("#0\n\n");
  }

  void room(int32_t i) {
    put("#");
    num(room_vnum(i));
    put("\n");
    str_line(words(3));
    text_block(i % 23 == 7 ? "\n" : lines(3 + random_.below(3)));
    put("0 " + flag_to_letters(i % 17 == 0 ? 1u << (i % 10) : 0u) + " ");
    num(random_.below(names_.Sectors));
    if (i % 97 == 5)
      put(" 3 " + std::to_string(room_vnum(0)) + " 0");
    else if (i % 89 == 7)
      put(" 0 0 2");
    put("\n");
    exits(i);
    if (i % 8 == 0) extra_description();
    if (i % 50 == 0) {
      put("M\n");
      line(std::to_string(3000 + index_) + " " + std::to_string(i % 79) + " " +
           std::to_string((i / 79) % 49) + (i % 100 == 0 ? " #" : " T"));
    }
    if (i % 40 == 0) programs(i);
    put("S\n\n");
  }

  // Grid neighbours, both ways: north, east, south, west, then up and down between the first rooms of
  // neighbouring areas, then north-east / south-west diagonals.
  void exits(int32_t i) {
    const int32_t column = i % width_;
    if (i >= width_) exit(0, i, i - width_);
    if (column + 1 < width_ && i + 1 < rooms_) exit(1, i, i + 1);
    if (i + width_ < rooms_) exit(2, i, i + width_);
    if (column > 0) exit(3, i, i - 1);
    if (i == 0 && index_ > 0) cross_area_exit(4, index_ - 1);
    if (i == 0 && index_ + 1 < shape_.Areas) cross_area_exit(5, index_ + 1);
    if (diagonal_from(i)) exit(6, i, i - width_ + 1);
    if (column > 0 && i + width_ - 1 < rooms_ && diagonal_from(i + width_ - 1)) exit(9, i, i + width_ - 1);
  }
  bool diagonal_from(int32_t i) const { return i % 7 == 0 && i >= width_ && i % width_ + 1 < width_; }

  void cross_area_exit(int32_t direction, int32_t area) {
    put("D" + std::to_string(direction) + "\n~\n~\n0 -1 ");
    num((area + 1) * stride());
    put("\n");
  }

  // Exits between i and its east neighbour every tenth room are doors with every extended text;
  // some north exits carry a description, and some a pull.
  void exit(int32_t direction, int32_t from, int32_t to) {
    const int32_t west_end = direction == 1 ? from : direction == 3 ? to : -1;
    const bool door = west_end >= 0 && west_end % 10 == 0;
    put("D" + std::to_string(direction) + "\n");
    if (direction == 0 && from % 6 == 0)
      text_block(lines(1));
    else
      put("~\n");
    str_line(door ? cp1251("дверь") : std::string());
    put(door ? flag_to_letters(west_end % 20 == 0 ? 7u : 3u) : std::string("0"));
    put(" " +
        std::to_string(door && west_end % 20 == 0 ? object_vnum(first_object_of_kind(TObjectKind::Key))
                                                  : -1) +
        " ");
    num(room_vnum(to));
    if (direction == 2 && from % 13 == 0)
      put(" " + std::to_string(2 + from % 3) + " 6 " + std::to_string(from % 5));
    put("\n");
    if (door) door_texts(west_end);
  }

  // Objects take the kinds in turn, so object number k is the first of kind k.
  int32_t first_object_of_kind(TObjectKind k) const { return static_cast<int32_t>(k); }

  void door_texts(int32_t seed) {
    line(std::to_string(seed % 3) + " " + std::to_string(seed % 40 == 0 ? 1 : 0));
    str_line(cp1251("двер:ь:и:и:ь:ью:и"));
    for (int32_t t = 1; t < kDoorTexts; ++t)
      str_line(t % 5 == 3 ? std::string() : words(3));
  }

  void resets() {
    put("#RESETS\n");
    for (int32_t i = 0; i < mobile_count(); ++i) {
      line("M 0 " + std::to_string(mobile_vnum(i)) + " " + std::to_string(1 + i % 3) + " " +
           std::to_string(room_vnum(random_.below(rooms_))));
      if (i % 2 == 0) line("E 1 " + std::to_string(object_vnum(random_.below(object_count()))) + " 0 16");
      line("G 1 " + std::to_string(object_vnum(random_.below(object_count()))) + " 0");
      if (i % 5 == 0) line("H 1 0 0 0");
    }
    for (int32_t i = 0; i < object_count(); ++i) {
      if (kind(i) != TObjectKind::Container) continue;
      line("O 0 " + std::to_string(object_vnum(i)) + " 0 " +
           std::to_string(room_vnum(random_.below(rooms_))));
      line("P 1 " + std::to_string(object_vnum(random_.below(object_count()))) + " 0 " +
           std::to_string(object_vnum(i)));
      line("H 1 0 0 0");
    }
    for (int32_t i = 0; i + 1 < rooms_; i += 10)
      if (i % width_ + 1 < width_)
        line("D 0 " + std::to_string(room_vnum(i)) + " 1 " + std::to_string(i % 20 == 0 ? 2 : 1));
    for (int32_t i = 0; i < rooms_; i += 50)
      line("R 0 " + std::to_string(room_vnum(i)) + " 4");
    line("B 0 " + std::to_string(room_vnum(rooms_ - 1)) + " 2 1");
    line("T 8 3 5 " + std::to_string(object_vnum(first_object_of_kind(TObjectKind::Container))));
    put("S\n\n");
  }

  void shops() {
    put("#SHOPS\n");
    for (int32_t i = 0; i < mobile_count(); ++i) {
      if (!has_shop(i)) continue;
      const int32_t weapon = names_.item_type_position("ITEM_WEAPON");
      const int32_t armor = names_.item_type_position("ITEM_ARMOR");
      put(std::to_string(mobile_vnum(i)) + "   " + std::to_string(weapon) + " " + std::to_string(armor) +
          " ");
      put(std::to_string(i % 20) + " 0 0   " + std::to_string(100 + i % 50) + " " +
          std::to_string(50 + i % 40));
      line(" " + std::to_string(6 + i % 3) + " " + std::to_string(20 + i % 4) + " ; " + shop_name(i));
    }
    put("0\n\n");
  }

  void repairs() {
    put("#REPAIRS\n");
    for (int32_t i = 0; i < mobile_count(); ++i) {
      if (!has_repair_shop(i)) continue;
      const int32_t weapon = names_.item_type_position("ITEM_WEAPON");
      put(std::to_string(mobile_vnum(i)) + "   " + std::to_string(weapon) + " " + std::to_string(i % 10) +
          " 0   ");
      line(std::to_string(100 + i % 30) + " " + std::to_string(1 + i % 2) + " 6 22 ; " + shop_name(i));
    }
    put("0\n\n");
  }

  std::string shop_name(int32_t mobile) const {
    return decode_case(short_descriptions_[static_cast<size_t>(mobile)], 1);
  }

  void specials() {
    put("#SPECIALS\n");
    for (int32_t i = 0; i < mobile_count(); ++i)
      if (has_special(i))
        line("M " + std::to_string(mobile_vnum(i)) + " " +
             names_.Specials[static_cast<size_t>(i) % names_.Specials.size()]);
    put("S\n\n");
  }

  const TVocabulary& names_;
  const TWorldShape& shape_;
  int32_t index_;
  int32_t rooms_;
  int32_t width_;
  TRandom random_;
  std::string out_;
  std::vector<std::string> short_descriptions_;  // of the mobiles, for the shop lines
  size_t weapon_ = 1;                            // weapon type of the weapon being written
};

void copy_folder(const fs::path& from, const fs::path& to) {
  fs::create_directories(to);
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void write_file(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

uint64_t status_field(std::string_view key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 && line[key.size()] == ':')
      return std::stoull(line.substr(key.size() + 1)) * 1024;  // the figures are in kB
  return 0;
}

}  // namespace

std::string generated_area_name(int32_t index) {
  return "gen" + std::to_string(index) + ".are";
}

std::string generate_area_text(const TWorld& world, const TWorldShape& shape, int32_t index) {
  const TVocabulary names(world);
  return TAreaGenerator(names, shape, index).text();
}

TWorldFiles generate_world(const TWorldShape& shape, const std::string& folder) {
  const fs::path root = folder;
  const fs::path sample = TAVRO_SAMPLE_DIR;
  const fs::path mud = root / "mud";
  fs::create_directories(root);
  fs::copy_file(sample / "TavroEd.ini", root / "TavroEd.ini", fs::copy_options::overwrite_existing);
  copy_folder(sample / "files", root / "files");
  for (const char* part : {"system", "races", "classes", "mudprogs"})
    copy_folder(sample / "mud" / part, mud / part);
  fs::create_directories(mud / "area");

  std::string areas_list;
  for (int32_t i = 0; i < shape.Areas; ++i)
    areas_list += generated_area_name(i) + "\n";
  write_file(mud / "area" / "area.lst", areas_list + "$\n");

  TWorldFiles files;
  files.StartFolder = root.string();
  files.MudFolder = mud.string();
  const TWorld world(files.StartFolder, files.MudFolder);
  const TVocabulary names(world);
  for (int32_t i = 0; i < shape.Areas; ++i) {
    const fs::path path = mud / "area" / generated_area_name(i);
    const std::string text = TAreaGenerator(names, shape, i).text();
    write_file(path, text);
    files.AreaPaths.push_back(path.string());
    files.AreaBytes += text.size();
  }
  return files;
}

std::string make_temporary_folder(const std::string& prefix) {
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path path = fs::temp_directory_path() / (prefix + std::to_string(entropy()));
    if (fs::create_directory(path)) return path.string();
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TGeneratedWorld::TGeneratedWorld(const TWorldShape& shape) : Root(make_temporary_folder("tavro-world-")) {
  try {
    static_cast<TWorldFiles&>(*this) = generate_world(shape, Root);
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(Root, ignored);
    throw;
  }
}

TGeneratedWorld::~TGeneratedWorld() {
  std::error_code ignored;
  fs::remove_all(Root, ignored);
}

uint64_t resident_bytes() {
  return status_field("VmRSS");
}

uint64_t peak_resident_bytes() {
  return status_field("VmHWM");
}

}  // namespace tavro::bench
