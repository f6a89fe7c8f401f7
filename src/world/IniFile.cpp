#include "world/IniFile.h"

#include <fstream>

#include "reading/AreaFile.h"
#include "reading/Error.h"
#include "world/TextLists.h"

namespace tavro {

namespace {

constexpr size_t npos = std::string::npos;

std::string_view trim(std::string_view text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool same_name(std::string_view a, std::string_view b) {
  return to_upper(trim(a)) == to_upper(trim(b));
}

// "[name]" lines open a section; the name is what stands between the brackets.
bool section_name(std::string_view line, std::string_view& name) {
  std::string_view text = trim(line);
  if (text.empty() || text.front() != '[') return false;
  size_t close = text.find(']');
  name = text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
  return true;
}

bool is_comment(std::string_view line) {
  std::string_view text = trim(line);
  return !text.empty() && text.front() == ';';
}

}  // namespace

TIniFile::TIniFile(std::string path) : Path(std::move(path)) {
  std::string text;
  try {
    text = read_whole_file(Path);
  } catch (const Error&) {
    return;
  }
  size_t first_break = text.find_first_of("\r\n");
  if (first_break != npos)
    LineBreak = text.compare(first_break, 2, "\r\n") == 0 ? "\r\n" : text.substr(first_break, 1);
  EndsWithLineBreak = text.empty() || text.back() == '\n' || text.back() == '\r';
  Lines = split_lines(text);
}

TIniFile::Position TIniFile::find(std::string_view section, std::string_view key) const {
  Position at{npos, npos, Lines.size()};
  bool inside = false;
  for (size_t i = 0; i < Lines.size(); ++i) {
    std::string_view name;
    if (section_name(Lines[i], name)) {
      if (inside) break;  // the section ended; the first section of that name is the one used
      inside = same_name(name, section);
      if (inside) at.section_line = at.insert_line = i;
      continue;
    }
    if (!inside || is_comment(Lines[i])) continue;
    if (!trim(Lines[i]).empty()) at.insert_line = i;
    size_t equals = Lines[i].find('=');
    if (equals != npos && same_name(std::string_view(Lines[i]).substr(0, equals), key)) {
      at.key_line = i;
      return at;
    }
  }
  return at;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view default_value) const {
  Position at = find(section, key);
  if (at.key_line == npos) return std::string(default_value);
  const std::string& line = Lines[at.key_line];
  std::string_view value = trim(std::string_view(line).substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Position at = find(section, key);
  if (at.key_line != npos) {
    const std::string& line = Lines[at.key_line];
    std::string new_line =
        std::string(trim(std::string_view(line).substr(0, line.find('=')))) + "=" + std::string(value);
    if (new_line == line) return true;  // nothing changes: the file is left untouched
    Lines[at.key_line] = std::move(new_line);
  } else {
    std::string new_line = std::string(key) + "=" + std::string(value);
    if (at.section_line == npos) {
      if (!Lines.empty() && !trim(Lines.back()).empty()) Lines.emplace_back();
      Lines.push_back("[" + std::string(section) + "]");
      Lines.push_back(std::move(new_line));
    } else {
      Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(at.insert_line + 1), std::move(new_line));
    }
  }
  return save();
}

bool TIniFile::save() const {
  std::string text;
  for (size_t i = 0; i < Lines.size(); ++i) {
    text += Lines[i];
    if (i + 1 < Lines.size() || EndsWithLineBreak) text += LineBreak;
  }
  try {
    write_file_atomically(Path, text);
  } catch (const Error&) {
    return false;
  }
  return true;
}

}  // namespace tavro
