#include "area/Helps.h"

#include "reading/AreaFile.h"
#include "reading/Error.h"

namespace tavro {

void TAreaHelps::Clear() {
  while (!Items.empty())
    Items.pop_back();
}

void TAreaHelps::ReadSection(TAreaFile& f) {
  with_prefix("#HELPS:\r\n", [&] {
    for (;;) {
      auto item = std::make_unique<TAreaHelpItem>();
      item->Level = fread_number(f);
      item->Keywords = fread_string(f);
      if (item->Keywords == "$") return;
      item->Text = fread_string(f);
      if (!item->Text.empty()) Items.push_back(std::move(item));
    }
  });
}

void TAreaHelps::WriteSection(TAreaFile& f) const {
  if (Items.empty()) return;
  fwrite_text(f, "#HELPS\n");
  for (const auto& item : Items) {
    with_prefix("#HELPS (" + item->Keywords + "):\r\n", [&] {
      fwrite_number(f, item->Level);
      fwrite_text(f, " ");
      fwrite_string(f, item->Keywords);
      fwrite_text(f, "\n");
      fwrite_string(f, item->Text);
      fwrite_text(f, "\n\n");
    });
  }
  fwrite_text(f, "-1 $~\n\n");
}

std::string normalize_keywords(std::string_view keywords) {
  std::string result;
  result.reserve(keywords.size());
  for (char ch : keywords) {
    if (ch == '\r' || ch == '\n' || ch == '\t') ch = ' ';
    if (ch == ' ' && !result.empty() && result.back() == ' ') continue;
    result.push_back(ch);
  }
  auto is_trimmed = [](char ch) { return static_cast<unsigned char>(ch) <= ' '; };
  size_t begin = 0;
  while (begin < result.size() && is_trimmed(result[begin]))
    ++begin;
  size_t end = result.size();
  while (end > begin && is_trimmed(result[end - 1]))
    --end;
  return result.substr(begin, end - begin);
}

}  // namespace tavro
