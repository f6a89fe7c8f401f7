#include "world/TextLists.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "reading/AreaFile.h"
#include "reading/Error.h"
#include "reading/Paths.h"

namespace tavro {

TStringList split_lines(std::string_view text) {
  TStringList lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

std::string read_whole_file(const std::string& path) {
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error("Cannot open file \"" + path + "\": " + std::strerror(errno ? errno : ENOENT));
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw Error("Cannot read file \"" + path + "\": " + std::strerror(errno ? errno : EIO));
  return bytes;
}

TStringList load_list_file(const std::string& path) {
  return split_lines(read_whole_file(resolve_path_case(path)));
}

void write_file_atomically(const std::string& path, std::string_view bytes) {
  TAreaFile file;  // its save writes a temporary beside the target and renames it over the target
  file.Buffer = std::string(bytes);
  file.Length = static_cast<int32_t>(file.Buffer.size());
  file.save_file(path);
}

std::string_view entry_name(std::string_view entry) {
  return entry.substr(0, entry.find('='));
}

std::string_view entry_value(std::string_view entry) {
  size_t cut = entry.find('=');
  return cut == std::string_view::npos ? std::string_view() : entry.substr(cut + 1);
}

namespace {

template <class Matches>
int32_t first_index(const TStringList& list, Matches matches) {
  for (size_t i = 0; i < list.size(); ++i)
    if (matches(list[i])) return static_cast<int32_t>(i);
  return -1;
}

}  // namespace

int32_t index_of_text(const TStringList& list, std::string_view text) {
  std::string wanted = to_upper(text);
  return first_index(list, [&](const std::string& entry) { return to_upper(entry) == wanted; });
}

int32_t index_of_name(const TStringList& list, std::string_view name) {
  std::string wanted = to_upper(name);
  return first_index(list, [&](const std::string& entry) { return to_upper(entry_name(entry)) == wanted; });
}

int32_t index_of_display_name(const TStringList& list, std::string_view name) {
  return first_index(list, [&](const std::string& entry) {
    return entry.find('=') != std::string::npos && entry_value(entry) == name;
  });
}

bool text_less(std::string_view a, std::string_view b) {
  return to_upper(a) < to_upper(b);
}

void add_sorted(TStringList& list, std::string entry) {
  auto at = std::lower_bound(list.begin(), list.end(), entry,
                             [](const std::string& a, const std::string& b) { return text_less(a, b); });
  if (at != list.end() && !text_less(entry, *at)) return;
  list.insert(at, std::move(entry));
}

}  // namespace tavro
