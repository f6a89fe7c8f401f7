#pragma once
// Whole-file reader and writer of the server's text formats, with the KOI8-R <-> Windows-1251
// translation and the token readers that define the grammar of area and reference files.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "reading/BitVector.h"
#include "reading/Error.h"

namespace tavro {

namespace detail {
// KOI8-R -> Windows-1251 and back, indexed by the unsigned byte (identity below 0x80).
extern const std::array<unsigned char, 256> kKoi8ToCp1251;
extern const std::array<unsigned char, 256> kCp1251ToKoi8;
[[noreturn]] void throw_getc_eof();
[[noreturn]] void throw_ungetc_bof();
}  // namespace detail

class TAreaFile {
 public:
  // Windows-1251 in memory: the KOI8-R text of a file is translated once, when it is loaded, so
  // that getc is a plain index. When writing, Buffer holds the KOI8-R text putc produced.
  std::string Buffer;
  int32_t Position = 0;  // reading: 1-based index of the next character; writing: characters written
  int32_t Length = 0;

  // Reads the whole file; lines are re-joined with CR LF; stops at the first NUL. Throws Error.
  void load_file(const std::string& path);
  // Loads text already in memory (KOI8-R bytes, as a file would hold them), exactly as load_file
  // would load a file holding them.
  void load_text(std::string_view text);
  void clear();
  // Atomic: writes a temporary beside path, forces it to the disk and renames it over path only when
  // all was written. Refuses (throws Error, the existing file untouched) a path that names a pipe, a
  // device or a folder, or a file that is read-only.
  void save_file(const std::string& path) const;
  bool at_eof() const { return Position > Length; }

  char getc() {
    if (Position > Length) detail::throw_getc_eof();
    return Buffer[static_cast<size_t>(Position++ - 1)];
  }
  void ungetc() {
    if (Position <= 1) detail::throw_ungetc_bof();
    --Position;
  }
  void putc(char ch) {
    Buffer.push_back(static_cast<char>(detail::kCp1251ToKoi8[static_cast<unsigned char>(ch)]));
    ++Position;
    ++Length;
  }

  // The unread rest of the text (reading), for readers that scan ahead in bulk.
  std::string_view rest() const {
    return at_eof() ? std::string_view() : std::string_view(Buffer).substr(static_cast<size_t>(Position - 1));
  }
};

inline bool is_space(char ch) {
  return ch == ' ' || ch == '\n' || ch == '\r' || ch == '\t' || ch == '\0';
}
inline bool is_digit(char ch) {
  return ch >= '0' && ch <= '9';
}

// Charset translation of single bytes.
unsigned char koi8_to_cp1251(unsigned char ch);
unsigned char cp1251_to_koi8(unsigned char ch);
// Whole-string translations (for files read or written outside TAreaFile, and for the UI/CLI).
std::string koi8_to_cp1251(std::string_view text);
std::string cp1251_to_koi8(std::string_view text);

// Token readers.
char fread_letter(TAreaFile& f);
std::string fread_word(TAreaFile& f);
int32_t fread_number(TAreaFile& f);
int32_t fread_number_eol(TAreaFile& f);
uint32_t fread_flag(TAreaFile& f);
uint32_t fread_flag_eol(TAreaFile& f);
TBitVector fread_bitvector(TAreaFile& f);
std::string fread_string(TAreaFile& f);
std::string fread_padej(TAreaFile& f);
void fread_to_eol(TAreaFile& f);

// Writers (every CR of their text is dropped).
void fwrite_text(TAreaFile& f, std::string_view s);
// A text read back ends at its first '~', and loading stops at the first NUL byte: a text holding either
// would make the rest of the file unreadable, so it is refused ("Text "..." contains '~'") before it is
// written.
void fwrite_string(TAreaFile& f, std::string_view s);
// A text on lines of its own, without its trailing line breaks, and the '~' alone on the next line;
// refused as fwrite_string refuses.
void fwrite_long_string(TAreaFile& f, std::string_view s);
void fwrite_number(TAreaFile& f, int64_t n);
void fwrite_flag(TAreaFile& f, uint32_t flags);
void fwrite_bitvector(TAreaFile& f, const TBitVector& v);
void fwrite_eol(TAreaFile& f);

// Text utilities.
std::string strip_trailing_newlines(std::string s);
std::string remove_cr(std::string_view s);
std::string lf_to_crlf(std::string_view s);

// Shared state of the keyed-field readers of keyword-per-line files, handed to them explicitly.
struct TKeyContext {
  TAreaFile* CurrentFile = nullptr;
  std::string CurrentKey;  // already upper case
  bool Matched = false;
};

bool key_string(TKeyContext& c, std::string_view key, std::string& field);
bool key_word(TKeyContext& c, std::string_view key, std::string& field);
bool key_number(TKeyContext& c, std::string_view key, int32_t& field);
bool key_bool(TKeyContext& c, std::string_view key, bool& field);
bool key_bitvector(TKeyContext& c, std::string_view key, TBitVector& field);

std::string to_upper(std::string_view s);  // Windows-1251 aware (Cyrillic letters too)
std::string to_lower(std::string_view s);
char to_upper(char ch);
char to_lower(char ch);

}  // namespace tavro

namespace tavro {
// Console and UI boundaries: Windows-1251 <-> UTF-8 (a character 1251 cannot hold becomes '?').
std::string cp1251_to_utf8(std::string_view text);
std::string utf8_to_cp1251(std::string_view text);
}  // namespace tavro
