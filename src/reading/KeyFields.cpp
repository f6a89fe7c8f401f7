// Keyed-field readers of keyword-per-line files: each reads its field only when the record reader's
// current keyword is its own.
#include <string>

#include "reading/AreaFile.h"

namespace tavro {

namespace {

template <class Read>
bool read_if_key(TKeyContext& c, std::string_view key, Read&& read) {
  if (c.CurrentKey != key) return false;
  if (c.CurrentFile == nullptr) throw Error("No file to read the value of " + std::string(key) + " from.");
  read(*c.CurrentFile);
  c.Matched = true;
  return true;
}

}  // namespace

bool key_string(TKeyContext& c, std::string_view key, std::string& field) {
  return read_if_key(c, key, [&](TAreaFile& f) { field = fread_string(f); });
}

bool key_word(TKeyContext& c, std::string_view key, std::string& field) {
  return read_if_key(c, key, [&](TAreaFile& f) { field = fread_word(f); });
}

bool key_number(TKeyContext& c, std::string_view key, int32_t& field) {
  return read_if_key(c, key, [&](TAreaFile& f) { field = fread_number(f); });
}

bool key_bool(TKeyContext& c, std::string_view key, bool& field) {
  return read_if_key(c, key, [&](TAreaFile& f) {
    std::string word = to_upper(fread_word(f));
    field = word == "TRUE" || word == "YES" || word == "ON";
  });
}

bool key_bitvector(TKeyContext& c, std::string_view key, TBitVector& field) {
  return read_if_key(c, key, [&](TAreaFile& f) { field = fread_bitvector(f); });
}

}  // namespace tavro
