// Byte translations between the server's KOI8-R, the editor's Windows-1251 and UTF-8, and the
// Windows-1251 letter case tables.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "reading/AreaFile.h"

namespace tavro {

namespace {

using ByteTable = std::array<unsigned char, 256>;

// KOI8-R bytes 0x80..0xFF as Windows-1251. The Cyrillic letters and the few symbols both sets hold
// map exactly; box-drawing and other symbols become look-alikes.
constexpr unsigned char kKoi8High[128] = {
    0x2D, 0xA6, 0x2D, 0xAC, 0x4C, 0x2D, 0x2B, 0x2B, 0x54, 0x2B, 0x2B, 0x2D, 0x2D, 0x2D, 0xA6, 0xA6,  //
    0x2D, 0x2D, 0x2D, 0xAF, 0xA6, 0x95, 0x76, 0xA2, 0xBA, 0xAA, 0xA0, 0xBF, 0xB0, 0xA4, 0xB7, 0xA1,  //
    0x3D, 0xA6, 0x2D, 0xB8, 0xE3, 0xE3, 0xAC, 0xAC, 0xAC, 0x4C, 0x4C, 0x4C, 0x2D, 0x2D, 0x2D, 0xA6,  //
    0xA6, 0xA6, 0xA6, 0xA8, 0xA6, 0xA6, 0x54, 0x54, 0x54, 0xA6, 0xA6, 0xA6, 0x2B, 0x2B, 0x2B, 0xB9,  //
    0xFE, 0xE0, 0xE1, 0xF6, 0xE4, 0xE5, 0xF4, 0xE3, 0xF5, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE,  //
    0xEF, 0xFF, 0xF0, 0xF1, 0xF2, 0xF3, 0xE6, 0xE2, 0xFC, 0xFB, 0xE7, 0xF8, 0xFD, 0xF9, 0xF7, 0xFA,  //
    0xDE, 0xC0, 0xC1, 0xD6, 0xC4, 0xC5, 0xD4, 0xC3, 0xD5, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE,  //
    0xCF, 0xDF, 0xD0, 0xD1, 0xD2, 0xD3, 0xC6, 0xC2, 0xDC, 0xDB, 0xC7, 0xD8, 0xDD, 0xD9, 0xD7, 0xDA,  //
};

constexpr ByteTable make_reading_table() {
  ByteTable t{};
  for (int i = 0; i < 128; ++i)
    t[i] = static_cast<unsigned char>(i);
  for (int i = 0; i < 128; ++i)
    t[128 + i] = kKoi8High[i];
  return t;
}

// Every Windows-1251 byte no KOI8-R code reads as goes out as a space; where several codes read as
// the same byte, the highest code wins.
constexpr ByteTable make_writing_table(const ByteTable& reading) {
  ByteTable t{};
  for (int i = 0; i < 128; ++i)
    t[i] = static_cast<unsigned char>(i);
  for (int i = 128; i < 256; ++i)
    t[i] = 0x20;
  for (int k = 0x80; k <= 0xFF; ++k) {
    if (reading[k] >= 0x80) t[reading[k]] = static_cast<unsigned char>(k);
  }
  return t;
}

// Windows-1251 upper/lower case pairs outside ASCII and the 0xC0..0xFF block.
constexpr std::pair<unsigned char, unsigned char> kCasePairs[] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

constexpr ByteTable make_case_table(bool upper) {
  ByteTable t{};
  for (int i = 0; i < 256; ++i)
    t[i] = static_cast<unsigned char>(i);
  for (int i = 0; i < 26; ++i) {
    if (upper)
      t['a' + i] = static_cast<unsigned char>('A' + i);
    else
      t['A' + i] = static_cast<unsigned char>('a' + i);
  }
  for (int i = 0; i < 32; ++i) {
    if (upper)
      t[0xE0 + i] = static_cast<unsigned char>(0xC0 + i);
    else
      t[0xC0 + i] = static_cast<unsigned char>(0xE0 + i);
  }
  for (auto [big, small] : kCasePairs) {
    if (upper)
      t[small] = big;
    else
      t[big] = small;
  }
  return t;
}

constexpr ByteTable kUpper = make_case_table(true);
constexpr ByteTable kLower = make_case_table(false);

// Windows-1251 0x80..0xFF as Unicode code points; 0x98 has no character and stands for U+0098.
constexpr char16_t kCp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

std::string translate(std::string_view text, const ByteTable& table) {
  std::string result(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    result[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
  }
  return result;
}

void append_utf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Length of the sequence a UTF-8 lead byte starts (0 for a byte that cannot lead one).
int sequence_length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead < 0xE0) return 2;
  if (lead >= 0xE0 && lead < 0xF0) return 3;
  if (lead >= 0xF0 && lead < 0xF5) return 4;
  return 0;
}

// Decodes one UTF-8 sequence at text[i], advancing i; a malformed or overlong sequence yields
// U+FFFD and consumes one byte.
uint32_t next_code_point(std::string_view text, size_t& i) {
  constexpr uint32_t kBad = 0xFFFD;
  constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  auto lead = static_cast<unsigned char>(text[i]);
  int length = sequence_length(lead);
  if (length == 1) return ++i, lead;
  if (length == 0 || text.size() - i < static_cast<size_t>(length)) return ++i, kBad;
  uint32_t cp = lead & (0x7Fu >> length);
  for (int k = 1; k < length; ++k) {
    auto c = static_cast<unsigned char>(text[i + k]);
    if ((c & 0xC0) != 0x80) return ++i, kBad;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < kSmallest[length]) return ++i, kBad;
  i += length;
  return cp;
}

unsigned char code_point_to_cp1251(uint32_t cp) {
  if (cp < 0x80) return static_cast<unsigned char>(cp);
  for (int i = 0; i < 128; ++i) {
    if (kCp1251High[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return '?';
}

}  // namespace

namespace detail {
const std::array<unsigned char, 256> kKoi8ToCp1251 = make_reading_table();
const std::array<unsigned char, 256> kCp1251ToKoi8 = make_writing_table(make_reading_table());
}  // namespace detail

using detail::kKoi8ToCp1251;

unsigned char koi8_to_cp1251(unsigned char ch) {
  return kKoi8ToCp1251[ch];
}
unsigned char cp1251_to_koi8(unsigned char ch) {
  return detail::kCp1251ToKoi8[ch];
}
std::string koi8_to_cp1251(std::string_view text) {
  return translate(text, kKoi8ToCp1251);
}
std::string cp1251_to_koi8(std::string_view text) {
  return translate(text, detail::kCp1251ToKoi8);
}

char to_upper(char ch) {
  return static_cast<char>(kUpper[static_cast<unsigned char>(ch)]);
}
char to_lower(char ch) {
  return static_cast<char>(kLower[static_cast<unsigned char>(ch)]);
}
std::string to_upper(std::string_view s) {
  return translate(s, kUpper);
}
std::string to_lower(std::string_view s) {
  return translate(s, kLower);
}

std::string cp1251_to_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) {
    auto b = static_cast<unsigned char>(c);
    append_utf8(out, b < 0x80 ? b : kCp1251High[b - 0x80]);
  }
  return out;
}

std::string utf8_to_cp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();)
    out += static_cast<char>(code_point_to_cp1251(next_code_point(text, i)));
  return out;
}

}  // namespace tavro
