#pragma once
// The area's help entries (#HELPS): a minimum level, keywords and a text each.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

class TArea;
class TAreaFile;

struct TAreaHelpItem {
  int32_t Level = 0;
  std::string Keywords;
  std::string Text;  // CR LF line breaks in memory
};

class TAreaHelps {
 public:
  explicit TAreaHelps(TArea* area) : Area(area) {}
  TAreaHelps(const TAreaHelps&) = delete;
  TAreaHelps& operator=(const TAreaHelps&) = delete;

  // Frees every entry, last to first.
  void Clear();
  // Reads the body of #HELPS; entries are appended, entries with an empty text are dropped.
  void ReadSection(TAreaFile& f);
  // Writes the whole section, or nothing when there are no entries.
  void WriteSection(TAreaFile& f) const;

  TArea* Area;
  std::vector<std::unique_ptr<TAreaHelpItem>> Items;
};

// Keywords as the help editor shows and stores them: one line, single spaces, trimmed.
std::string normalize_keywords(std::string_view keywords);

}  // namespace tavro
