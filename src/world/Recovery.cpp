#include "world/Recovery.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <optional>

#include "area/Area.h"
#include "area/Header.h"
#include "reading/AreaFile.h"
#include "reading/Error.h"
#include "reading/Paths.h"
#include "world/IniFile.h"
#include "world/TextLists.h"

namespace tavro {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMarker = "#TAVRO-RECOVERY ";
constexpr std::string_view kEnd = "#END\n";
constexpr std::string_view kExtension = ".rec";
constexpr std::string_view kNamedPrefix = "area-";
constexpr std::string_view kNewPrefix = "new-";

uint64_t fnv1a(std::string_view bytes) {
  uint64_t hash = 14695981039346656037ull;
  for (const char ch : bytes) {
    hash ^= static_cast<unsigned char>(ch);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string hex64(uint64_t value) {
  char buffer[17];
  std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(value));
  return buffer;
}

template <class Number>
std::optional<Number> whole_number(std::string_view text) {
  Number value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

char lower_ascii(char ch) {
  return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool same_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return lower_ascii(x) == lower_ascii(y); });
}

[[noreturn]] void damaged(const std::string& why) {
  throw Error("The file is damaged: " + why);
}

// The value of a record line "Key value", or none when the line holds another key.
std::optional<std::string_view> value_of(std::string_view line, std::string_view key) {
  if (line.size() < key.size() + 1 || line.substr(0, key.size()) != key || line[key.size()] != ' ')
    return std::nullopt;
  return line.substr(key.size() + 1);
}

}  // namespace

TFileStamp file_stamp(const std::string& path) {
  const std::string actual = resolve_path_case(path);
  std::error_code ec;
  if (!fs::is_regular_file(actual, ec)) return {};
  const auto size = fs::file_size(actual, ec);
  if (ec) return {};
  const auto time = fs::last_write_time(actual, ec);
  if (ec) return {};
  return {static_cast<int64_t>(size), static_cast<int64_t>(time.time_since_epoch().count())};
}

std::string recovery_folder_name(std::string_view world_root) {
  std::string_view root = world_root;
  while (root.size() > 1 && (root.back() == '/' || root.back() == '\\'))
    root.remove_suffix(1);
  const size_t cut = root.find_last_of("/\\");
  std::string name(cut == std::string_view::npos ? root : root.substr(cut + 1));
  for (char& ch : name) {
    const bool plain = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                       ch == '.' || ch == '_' || ch == '-';
    if (!plain) ch = '_';
  }
  if (name.size() > 40) name.resize(40);
  if (name.empty() || name.find_first_not_of('.') == std::string::npos) name = "world";
  return name + "-" + hex64(fnv1a(root));
}

std::string recovery_file_name(std::string_view area_file, int32_t new_number,
                               const std::vector<std::string>& taken) {
  const std::string base = area_file.empty() ? std::string(kNewPrefix) + std::to_string(new_number)
                                             : std::string(kNamedPrefix) + std::string(area_file);
  const auto is_taken = [&](const std::string& name) {
    return std::any_of(taken.begin(), taken.end(),
                       [&](const std::string& other) { return same_name(name, other); });
  };
  std::string name = base + std::string(kExtension);
  for (int32_t number = 2; is_taken(name); ++number)
    name = base + "-" + std::to_string(number) + std::string(kExtension);
  return name;
}

bool is_recovery_file_name(std::string_view name) {
  if (name.size() <= kExtension.size() || name.substr(name.size() - kExtension.size()) != kExtension)
    return false;
  const std::string_view base = name.substr(0, name.size() - kExtension.size());
  return (base.size() > kNamedPrefix.size() && base.substr(0, kNamedPrefix.size()) == kNamedPrefix) ||
         (base.size() > kNewPrefix.size() && base.substr(0, kNewPrefix.size()) == kNewPrefix);
}

std::string recovery_text(std::string_view area_text, const TRecoveryManifest& manifest) {
  if (manifest.AreaFile.find_first_of("\r\n") != std::string::npos)
    throw Error("The file name \"" + manifest.AreaFile + "\" cannot be kept in a recovery file.");
  std::string text(area_text);
  // The record begins on a line of its own.
  if (!text.empty() && text.back() != '\n') text += '\n';
  const size_t length = text.size();
  text += std::string(kMarker) + std::to_string(kRecoveryFormat) + "\n";
  text += "File " + manifest.AreaFile + "\n";
  text += std::string("New ") + (manifest.IsNew ? "1" : "0") + "\n";
  text += "Saved " + std::to_string(manifest.SavedAt) + "\n";
  text += "AreaSize " + std::to_string(manifest.AreaStamp.Size) + "\n";
  text += "AreaTime " + std::to_string(manifest.AreaStamp.Time) + "\n";
  text += "Length " + std::to_string(length) + "\n";
  text += "Check " + hex64(fnv1a(text)) + "\n";
  text += kEnd;
  return text;
}

TRecoveryContents parse_recovery_text(std::string_view text) {
  if (text.size() < kEnd.size() || text.substr(text.size() - kEnd.size()) != kEnd ||
      (text.size() > kEnd.size() && text[text.size() - kEnd.size() - 1] != '\n'))
    throw Error("The file is cut short: it does not end with the record of its area.");
  size_t marker = text.rfind(kMarker);
  while (marker != std::string_view::npos && marker != 0 && text[marker - 1] != '\n')
    marker = marker == 0 ? std::string_view::npos : text.rfind(kMarker, marker - 1);
  if (marker == std::string_view::npos) throw Error("It is not a recovery file of this editor.");

  // The record's lines, "#END" left out.
  std::vector<std::pair<size_t, std::string_view>> lines;  // start in text, line without its break
  for (size_t start = marker; start < text.size() - kEnd.size();) {
    const size_t stop = text.find('\n', start);
    lines.emplace_back(start, text.substr(start, stop - start));
    start = stop + 1;
  }
  const auto format = whole_number<int32_t>(lines.front().second.substr(kMarker.size()));
  if (!format || *format < 1) damaged("its record has no format number.");
  if (*format > kRecoveryFormat)
    throw Error("It was written by a newer version of the editor (recovery format " +
                std::to_string(*format) + ").");

  const auto check_line = std::find_if(lines.begin(), lines.end(), [](const auto& line) {
    return value_of(line.second, "Check").has_value();
  });
  if (check_line == lines.end()) damaged("its record has no check sum.");
  // Compared as written (lower-case hexadecimal), so that no damaged byte of it passes.
  if (*value_of(check_line->second, "Check") != hex64(fnv1a(text.substr(0, check_line->first))))
    damaged("its check sum does not match its contents.");

  TRecoveryContents contents;
  TRecoveryManifest& manifest = contents.Manifest;
  bool has_file = false, has_saved = false, has_length = false;
  std::optional<int64_t> length;
  for (auto line = lines.begin() + 1; line != check_line; ++line) {
    const std::string_view entry = line->second;
    const auto number = [&](std::string_view key) -> std::optional<int64_t> {
      const auto value = value_of(entry, key);
      if (!value) return std::nullopt;
      const auto parsed = whole_number<int64_t>(*value);
      if (!parsed) damaged("its record holds a bad " + std::string(key) + " line.");
      return parsed;
    };
    if (const auto file = value_of(entry, "File")) {
      manifest.AreaFile = std::string(*file);
      has_file = true;
    } else if (entry == "File") {
      manifest.AreaFile.clear();
      has_file = true;
    } else if (const auto is_new = number("New")) {
      manifest.IsNew = *is_new != 0;
    } else if (const auto saved = number("Saved")) {
      manifest.SavedAt = *saved;
      has_saved = true;
    } else if (const auto size = number("AreaSize")) {
      manifest.AreaStamp.Size = *size;
    } else if (const auto time = number("AreaTime")) {
      manifest.AreaStamp.Time = *time;
    } else if ((length = number("Length"))) {
      has_length = true;
    }
    // Lines of other keys come from a later version of the same format: the check sum covers them.
  }
  if (!has_file || !has_saved || !has_length) damaged("its record lacks the area's file, time or length.");
  if (*length != static_cast<int64_t>(marker)) damaged("the area text is not as long as its record says.");
  contents.AreaText = text.substr(0, marker);
  return contents;
}

std::string area_text(const TArea& area) {
  TAreaFile f;
  area.write_area(f);
  return std::move(f.Buffer);
}

void write_recovery_text(const std::string& path, std::string_view area_text,
                         const TRecoveryManifest& manifest) {
  TAreaFile f;
  f.Buffer = recovery_text(area_text, manifest);
  f.Length = static_cast<int32_t>(f.Buffer.size());
  f.save_file(path);
}

void write_recovery_file(const TArea& area, const std::string& path, const TRecoveryManifest& manifest) {
  write_recovery_text(path, area_text(area), manifest);
}

TRecoveryManifest read_recovery_file(const std::string& path, TArea& area) {
  return with_prefix("Recovery file \"" + path + "\":\r\n", [&] {
    const std::string text = read_whole_file(path);
    const TRecoveryContents contents = parse_recovery_text(text);
    TAreaFile f;
    f.load_text(contents.AreaText);
    area.read_area(f);
    area.Header->FileName = contents.Manifest.AreaFile;
    area.IsNew = contents.Manifest.IsNew;
    return contents.Manifest;
  });
}

TEditorSafety read_editor_safety(const TIniFile& ini) {
  TEditorSafety safety;
  const auto setting = [&](std::string_view key, int32_t fallback, int32_t most) {
    const auto value = whole_number<int32_t>(ini.ReadString("Editor", key, ""));
    if (!value || *value < 0) return fallback;
    return std::min(*value, most);
  };
  safety.AutoSaveSeconds = setting("AutoSaveSeconds", safety.AutoSaveSeconds, 24 * 60 * 60);
  safety.BackupCount = setting("BackupCount", safety.BackupCount, 1000);
  return safety;
}

}  // namespace tavro
