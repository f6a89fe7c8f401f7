#pragma once
// Find in world: a text or a vnum searched in the names, keywords, descriptions, extra descriptions, exits
// and programs of the rooms, objects and mobiles, and in the helps, of every loaded area. Letters match
// in either case, Cyrillic ones too (the texts are Windows-1251 bytes).
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "world/WorldRecord.h"

namespace tavro {

class TAreas;

struct TFindHit {
  TRecordRef Record;
  // Where in the record: "name", "keywords", "short description", "long description", "description",
  // "extra description 'keyword'", "exit north", "program 2 (greet_prog)", "text", or "vnum".
  std::string Field;
  // The line of the field that holds the text (trimmed, cut around the text when long); for a vnum the
  // record's name. Windows-1251.
  std::string Line;

  bool operator==(const TFindHit&) const = default;
};

// Latin and Cyrillic capitals of Windows-1251 (Ё and the other Cyrillic letters of the code page
// included) to small letters; every other byte unchanged.
std::string fold_case(std::string_view text);

// Every field that holds the text (one hit per field), and every record whose vnum is the text when it is
// a number; areas in list order, in each the rooms, objects, mobiles and helps in list order. Stops after
// max_hits hits. An empty text finds nothing.
std::vector<TFindHit> find_in_world(const TAreas& areas, std::string_view text,
                                    size_t max_hits = std::numeric_limits<size_t>::max());

}  // namespace tavro
