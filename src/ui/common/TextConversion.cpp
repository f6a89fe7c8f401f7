#include "ui/common/TextConversion.h"

#include <array>

namespace tavro::ui {

namespace {

// Unicode code points of Windows-1251 bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F. 0 = undefined.
constexpr std::array<char16_t, 64> kHighTable = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char16_t to_unicode(unsigned char ch) {
  if (ch < 0x80) return ch;
  if (ch >= 0xC0) return static_cast<char16_t>(0x0410 + (ch - 0xC0));
  char16_t u = kHighTable[ch - 0x80];
  return u ? u : u'?';
}

char from_unicode(char16_t u) {
  if (u < 0x80) return static_cast<char>(u);
  if (u >= 0x0410 && u <= 0x044F) return static_cast<char>(0xC0 + (u - 0x0410));
  for (size_t i = 0; i < kHighTable.size(); ++i)
    if (kHighTable[i] == u) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

QString from_cp1251(std::string_view text) {
  QString result;
  result.reserve(static_cast<qsizetype>(text.size()));
  for (char ch : text) result.append(QChar(to_unicode(static_cast<unsigned char>(ch))));
  return result;
}

std::string to_cp1251(const QString& text) {
  std::string result;
  result.reserve(static_cast<size_t>(text.size()));
  for (QChar ch : text) result.push_back(from_unicode(ch.unicode()));
  return result;
}

QString from_cp1251_lines(std::string_view text) {
  QString result = from_cp1251(text);
  result.remove(QLatin1Char('\r'));
  return result;
}

std::string to_cp1251_lines(const QString& text) {
  std::string plain = to_cp1251(text);
  std::string result;
  result.reserve(plain.size() + plain.size() / 16);
  for (char ch : plain) {
    if (ch == '\r') continue;
    if (ch == '\n') result.push_back('\r');
    result.push_back(ch);
  }
  return result;
}

}  // namespace tavro::ui
