#pragma once
// Everything about an area that is not a list: name, author, version, flags, ranges and the other
// small header sections, each read by the dispatcher and all written first by the area writer.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

class TArea;
class TAreaFile;

class TAreaHeader {
 public:
  explicit TAreaHeader(TArea* area) : Area(area) {}

  // True when name is one of the header's section names (upper case).
  static bool is_header_section(std::string_view name);
  // Reads the section called name (upper case), positioned just after the name.
  void read_section(std::string_view name, TAreaFile& f);
  // Writes every header section that holds something; #AREA and #VERSION always.
  void Write(TAreaFile& f) const;

  // The version written by this editor: its sections are always in the newest layout.
  static constexpr int32_t kCurrentVersion = 11;

  int32_t Version = 0;
  std::string Name;
  std::string Author = "(Unknown)";
  std::string FileName;  // the area file's name, set by load_area; not stored in the file
  std::array<int32_t, 3> Climate{};
  uint32_t Flags = 0;
  int32_t FlagsNumber = 0;  // the area's reset frequency
  std::array<int32_t, 2> Economy{};
  std::array<int32_t, 4> Ranges{};
  int32_t SpellLimit = 0;
  std::string ResetMessage;
  std::vector<std::string> Neighbors;
  TArea* Area;
};

}  // namespace tavro
