// Writers of TAreaFile and the line-break utilities the section readers and writers share.
#include <algorithm>
#include <charconv>
#include <string>

#include "reading/AreaFile.h"
#include "reading/Error.h"

namespace tavro {

void fwrite_text(TAreaFile& f, std::string_view s) {
  const size_t old_size = f.Buffer.size();
  f.Buffer.resize(old_size + s.size());
  char* out = f.Buffer.data() + old_size;
  for (char c : s) {
    if (c != '\r') *out++ = static_cast<char>(detail::kCp1251ToKoi8[static_cast<unsigned char>(c)]);
  }
  const size_t written = static_cast<size_t>(out - (f.Buffer.data() + old_size));
  f.Buffer.resize(old_size + written);
  f.Position += static_cast<int32_t>(written);
  f.Length += static_cast<int32_t>(written);
}

namespace {

[[noreturn]] void throw_unstorable_text(std::string_view s) {
  constexpr size_t kShown = 40;
  const std::string shown = s.size() > kShown ? std::string(s.substr(0, kShown)) + "..." : std::string(s);
  const char* what = s.find('~') != std::string_view::npos ? "'~'" : "a NUL character";
  // The NUL itself must not cut the message short.
  std::string message = "Text \"" + shown + "\" contains " + what;
  std::replace(message.begin(), message.end(), '\0', ' ');
  throw Error(message);
}

// Two plain searches: each runs far faster than one search for either character.
void check_storable(std::string_view s) {
  if (s.find('~') != std::string_view::npos || s.find('\0') != std::string_view::npos)
    throw_unstorable_text(s);
}

}  // namespace

void fwrite_string(TAreaFile& f, std::string_view s) {
  check_storable(s);
  fwrite_text(f, s);
  f.putc('~');
}

void fwrite_long_string(TAreaFile& f, std::string_view s) {
  check_storable(s);
  fwrite_text(f, strip_trailing_newlines(remove_cr(s)));
  fwrite_text(f, "\n~");
}

void fwrite_number(TAreaFile& f, int64_t n) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
  fwrite_text(f, std::string_view(digits, static_cast<size_t>(end - digits)));
}

void fwrite_flag(TAreaFile& f, uint32_t flags) {
  fwrite_text(f, flag_to_letters(flags));
}
void fwrite_bitvector(TAreaFile& f, const TBitVector& v) {
  fwrite_text(f, bitvector_to_text(v));
}
void fwrite_eol(TAreaFile& f) {
  f.putc('\n');
}

std::string strip_trailing_newlines(std::string s) {
  while (!s.empty() && s.back() == '\n')
    s.pop_back();
  return s;
}

std::string remove_cr(std::string_view s) {
  std::string result;
  result.reserve(s.size());
  std::copy_if(s.begin(), s.end(), std::back_inserter(result), [](char c) { return c != '\r'; });
  return result;
}

std::string lf_to_crlf(std::string_view s) {
  std::string result;
  result.reserve(s.size() + s.size() / 32 + 2);
  for (char c : s) {
    if (c == '\r') continue;
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

}  // namespace tavro
