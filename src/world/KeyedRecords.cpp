#include "world/KeyedRecords.h"

namespace tavro {

namespace {

// Skips blanks; true when a token follows.
bool skip_blanks(TAreaFile& f) {
  while (!f.at_eof()) {
    if (!is_space(f.getc())) {
      f.ungetc();
      return true;
    }
  }
  return false;
}

}  // namespace

void next_key(TKeyContext& c) {
  for (;;) {
    c.Matched = false;
    if (!skip_blanks(*c.CurrentFile)) {
      c.CurrentKey = "END";
      return;
    }
    c.CurrentKey = to_upper(fread_word(*c.CurrentFile));
    if (c.CurrentKey.empty() || c.CurrentKey.front() != '*') return;
    fread_to_eol(*c.CurrentFile);
  }
}

void fail_invalid_key(const std::string& key) {
  throw Error("Section '" + key + "' invalid");
}

void read_hash_records(TAreaFile& f, std::string_view record, const std::function<void()>& read_record) {
  for (;;) {
    char ch = fread_letter(f);
    if (ch == '*') {
      fread_to_eol(f);
    } else if (ch == '#') {
      std::string word = to_upper(fread_word(f));
      if (word == record)
        read_record();
      else if (word == "END")
        return;
      else
        throw Error("Bad section '" + word + "'");
    } else {
      throw Error("# not found");
    }
  }
}

}  // namespace tavro
