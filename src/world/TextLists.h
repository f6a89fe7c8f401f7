#pragma once
// Plain text lists (one entry per line) and their "name=value" entries, as the constant lists, the
// sector colours file and the settings file use them. Text stays in the editor's character set.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

using TStringList = std::vector<std::string>;

// Splits text at CR LF, LF or a lone CR; a final line break adds no empty entry.
TStringList split_lines(std::string_view text);
// Reads a whole file as bytes. Throws Error naming the path when it cannot be read.
std::string read_whole_file(const std::string& path);
// Reads a list file (the name is matched without regard to letter case when the exact one is missing).
TStringList load_list_file(const std::string& path);
// Writes bytes to a temporary file beside path and renames it over path only when all was written,
// so a failed write never leaves a truncated file. Throws Error naming the path.
void write_file_atomically(const std::string& path, std::string_view bytes);

// The text before the first '=' (the whole entry when it has none), and the text after it.
std::string_view entry_name(std::string_view entry);
std::string_view entry_value(std::string_view entry);

// Position of the entry equal to text without regard to letter case; -1 when absent.
int32_t index_of_text(const TStringList& list, std::string_view text);
// Position of the first entry whose name part equals name without regard to letter case; -1 when absent.
int32_t index_of_name(const TStringList& list, std::string_view name);
// Position of the first "n=Name" entry whose display name equals name exactly; -1 when absent.
int32_t index_of_display_name(const TStringList& list, std::string_view name);

// Case-insensitive (Windows-1251 aware) order of a sorted list.
bool text_less(std::string_view a, std::string_view b);
// Inserts into a sorted list; an entry equal (without regard to case) to one already there is dropped.
void add_sorted(TStringList& list, std::string entry);

}  // namespace tavro
