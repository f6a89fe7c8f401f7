#pragma once
// Shared reading of the server's keyword-per-line reference files (skills, damage and weapon types,
// races, classes): the '#' record frame, the key loop, and tables tying keys to record fields.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reading/AreaFile.h"
#include "reading/BitVector.h"
#include "reading/Error.h"
#include "reading/Paths.h"

namespace tavro {

// Record fields by key; each key is read with the keyed-field reader of its kind.
template <class Record>
struct TKeyFields {
  std::vector<std::pair<std::string_view, std::string Record::*>> strings;
  std::vector<std::pair<std::string_view, std::string Record::*>> words;
  std::vector<std::pair<std::string_view, int32_t Record::*>> numbers;
  std::vector<std::pair<std::string_view, bool Record::*>> bools;
  std::vector<std::pair<std::string_view, TBitVector Record::*>> bitvectors;
};

// Clears Matched and reads the next key, upper-cased, into CurrentKey. The end of the text counts as
// "END"; a word starting with '*' is a comment whose line is skipped.
void next_key(TKeyContext& c);

// "Section 'KEY' invalid".
[[noreturn]] void fail_invalid_key(const std::string& key);

// The outer frame of skills.dat, damages.dat and weapontypes.dat: '*' lines are comments, "#<record>"
// (any letter case) calls read_record, "#END" ends the file.
void read_hash_records(TAreaFile& f, std::string_view record, const std::function<void()>& read_record);

// Runs body; an Error raised inside it comes out with prefix() in front, the prefix being built only
// then (it names what was read so far).
template <class Prefix, class Body>
void with_late_prefix(Prefix&& prefix, Body&& body) {
  try {
    body();
  } catch (const Error& e) {
    throw Error(prefix() + e.what());
  }
}

template <class Record>
bool match_key_fields(TKeyContext& c, Record& record, const TKeyFields<Record>& fields) {
  for (const auto& [key, field] : fields.strings)
    if (key_string(c, key, record.*field)) return true;
  for (const auto& [key, field] : fields.words)
    if (key_word(c, key, record.*field)) return true;
  for (const auto& [key, field] : fields.numbers)
    if (key_number(c, key, record.*field)) return true;
  for (const auto& [key, field] : fields.bools)
    if (key_bool(c, key, record.*field)) return true;
  for (const auto& [key, field] : fields.bitvectors)
    if (key_bitvector(c, key, record.*field)) return true;
  return false;
}

// Reads keys until END: table keys first, then special(key) for the keys it handles (it returns
// false for an unknown key, which fails with "Section 'KEY' invalid").
template <class Record, class Special>
void read_keyed_record(TAreaFile& f, Record& record, const TKeyFields<Record>& fields, Special&& special) {
  TKeyContext c;
  c.CurrentFile = &f;
  for (;;) {
    next_key(c);
    if (c.CurrentKey == "END") return;
    if (match_key_fields(c, record, fields) || special(c.CurrentKey)) continue;
    fail_invalid_key(c.CurrentKey);
  }
}

// Replaces list.Items with the records of a '#'-framed file, each made by create() and read by its
// Read; failures come out with prefix in front and leave the list empty.
template <class List, class Create>
void load_hash_record_file(List& list, const std::string& file_name, std::string_view prefix,
                           std::string_view record, Create&& create) {
  list.Items.clear();
  try {
    with_prefix(prefix, [&] {
      TAreaFile f;
      f.load_file(resolve_path_case(file_name));
      read_hash_records(f, record, [&] {
        auto item = create();
        item->Read(f);
        list.Items.push_back(std::move(item));
      });
    });
  } catch (...) {
    list.Items.clear();  // a failed load leaves no half-read table behind
    throw;
  }
}

}  // namespace tavro
