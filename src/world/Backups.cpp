#include "world/Backups.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "reading/Error.h"
#include "reading/Paths.h"
#include "world/TextLists.h"

namespace tavro {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExtension = ".bak";
constexpr size_t kStampLength = 15;  // YYYYMMDD-HHMMSS

bool leap_year(int32_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t days_in_month(int32_t year, int32_t month) {
  static constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leap_year(year) ? 29 : kDays[month - 1];
}

bool valid(const TBackupStamp& s) {
  return s.Year >= 1 && s.Year <= 9999 && s.Month >= 1 && s.Month <= 12 && s.Day >= 1 &&
         s.Day <= days_in_month(s.Year, s.Month) && s.Hour >= 0 && s.Hour < 24 && s.Minute >= 0 &&
         s.Minute < 60 && s.Second >= 0 && s.Second < 60;
}

char lower_ascii(char ch) {
  return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool same_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return lower_ascii(x) == lower_ascii(y); });
}

// The stamp of a backup name of area_file, or none when name is not one.
std::optional<std::string_view> stamp_part(std::string_view area_file, std::string_view name) {
  const size_t expected = area_file.size() + 1 + kStampLength + kExtension.size();
  if (area_file.empty() || name.size() != expected ||
      !same_name(name.substr(0, area_file.size()), area_file) || name[area_file.size()] != '.' ||
      name.substr(name.size() - kExtension.size()) != kExtension)
    return std::nullopt;
  const std::string_view stamp = name.substr(area_file.size() + 1, kStampLength);
  if (!parse_stamp(stamp)) return std::nullopt;
  return stamp;
}

std::vector<std::string> folder_names(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  return names;
}

}  // namespace

std::string format_stamp(const TBackupStamp& s) {
  if (!valid(s)) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", static_cast<int>(s.Year),
                static_cast<int>(s.Month), static_cast<int>(s.Day), static_cast<int>(s.Hour),
                static_cast<int>(s.Minute), static_cast<int>(s.Second));
  return text;
}

std::optional<TBackupStamp> parse_stamp(std::string_view text) {
  if (text.size() != kStampLength || text[8] != '-') return std::nullopt;
  const auto field = [&](size_t at, size_t length, int32_t& out) {
    const std::string_view digits = text.substr(at, length);
    if (!std::all_of(digits.begin(), digits.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
      return false;
    std::from_chars(digits.data(), digits.data() + digits.size(), out);
    return true;
  };
  TBackupStamp s;
  if (!field(0, 4, s.Year) || !field(4, 2, s.Month) || !field(6, 2, s.Day) || !field(9, 2, s.Hour) ||
      !field(11, 2, s.Minute) || !field(13, 2, s.Second) || !valid(s))
    return std::nullopt;
  return s;
}

TBackupStamp next_second(const TBackupStamp& stamp) {
  TBackupStamp s = stamp;
  if (++s.Second < 60) return s;
  s.Second = 0;
  if (++s.Minute < 60) return s;
  s.Minute = 0;
  if (++s.Hour < 24) return s;
  s.Hour = 0;
  if (++s.Day <= days_in_month(s.Year, s.Month)) return s;
  s.Day = 1;
  if (++s.Month <= 12) return s;
  s.Month = 1;
  ++s.Year;
  return s;
}

std::string backup_file_name(std::string_view area_file, const TBackupStamp& stamp) {
  return std::string(area_file) + "." + format_stamp(stamp) + std::string(kExtension);
}

std::vector<std::string> backups_of(std::string_view area_file, const std::vector<std::string>& names) {
  std::vector<std::pair<std::string_view, std::string>> found;  // stamp, name
  for (const std::string& name : names) {
    if (const auto stamp = stamp_part(area_file, name)) found.emplace_back(*stamp, name);
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> ordered;
  for (auto& [stamp, name] : found)
    ordered.push_back(std::move(name));
  return ordered;
}

std::string next_backup_name(std::string_view area_file, const TBackupStamp& now,
                             const std::vector<std::string>& names) {
  TBackupStamp stamp = now;
  const std::vector<std::string> existing = backups_of(area_file, names);
  if (!existing.empty()) {
    const std::string_view newest = *stamp_part(area_file, existing.back());
    if (newest >= format_stamp(now)) stamp = next_second(*parse_stamp(newest));
  }
  return backup_file_name(area_file, stamp);
}

std::vector<std::string> backups_beyond(std::string_view area_file, const std::vector<std::string>& names,
                                        int32_t keep) {
  std::vector<std::string> existing = backups_of(area_file, names);
  const size_t kept = static_cast<size_t>(std::max(keep, 0));
  if (existing.size() <= kept) return {};
  existing.resize(existing.size() - kept);
  return existing;
}

std::string keep_backup(const std::string& area_path, const std::string& folder, const TBackupStamp& now,
                        int32_t keep) {
  const std::string source = resolve_path_case(area_path);
  std::error_code ec;
  if (keep <= 0 || !fs::is_regular_file(source, ec)) return {};
  const std::string area_file = file_name_part(source);
  return with_prefix("Backup of \"" + source + "\":\r\n", [&] {
    fs::create_directories(folder, ec);
    if (ec) throw Error("Cannot create folder \"" + folder + "\": " + ec.message());
    std::vector<std::string> names = folder_names(folder);
    const std::string name = next_backup_name(area_file, now, names);
    const std::string target = join_path(folder, name);
    write_file_atomically(target, read_whole_file(source));
    // The backup carries the time the area was saved, not the time it was copied.
    const auto time = fs::last_write_time(source, ec);
    if (!ec) fs::last_write_time(target, time, ec);
    names.push_back(name);
    for (const std::string& old : backups_beyond(area_file, names, keep))
      fs::remove(join_path(folder, old), ec);
    return target;
  });
}

}  // namespace tavro
