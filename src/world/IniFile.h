#pragma once
// The editor's settings file with the semantics of the Windows profile functions: section and key
// names match without regard to letter case, a missing value gives the caller's default, and
// writing a value rewrites only that value's line, keeping every other line and comment.
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

class TIniFile {
 public:
  // Reads the file when it exists; a missing or unreadable file behaves as an empty one.
  explicit TIniFile(std::string path);

  const std::string& path() const { return Path; }
  // The value of key in section, blanks around it removed and one pair of enclosing quotes dropped;
  // the default when the section or key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;
  // Sets the value and writes the file at once (the section and key are added when missing). Returns
  // false when the file could not be written; the value is then kept in memory only.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct Position {
    size_t section_line;  // the "[section]" line, or npos
    size_t key_line;      // the key's line, or npos
    size_t insert_line;   // where a new key of the section goes
  };
  Position find(std::string_view section, std::string_view key) const;
  bool save() const;

  std::string Path;
  std::vector<std::string> Lines;  // without their line breaks
  std::string LineBreak = "\r\n";  // the file's own, kept on writing
  bool EndsWithLineBreak = true;
};

}  // namespace tavro
