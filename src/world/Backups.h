#pragma once
// Rolling backups of area files. The first save of an area in a session keeps the file it replaces in the
// "backup" folder beside the areas, as "<area file>.<YYYYMMDD-HHMMSS>.bak" (local time of the backup), and
// only the newest backups of each area are kept. Names sort by time: a new backup is stamped one second
// after the newest one whenever the clock says otherwise (two backups in one second, the clock set back),
// so the newest backup is always the last name. The server reads only the files its areas list names:
// the backups never reach it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

// A moment of the civil calendar, to the second.
struct TBackupStamp {
  int32_t Year = 1970, Month = 1, Day = 1, Hour = 0, Minute = 0, Second = 0;
  bool operator==(const TBackupStamp&) const = default;
};
// "20240501-123456"; none for text of another form or a moment that does not exist.
std::string format_stamp(const TBackupStamp& stamp);
std::optional<TBackupStamp> parse_stamp(std::string_view text);
// The next second (across minutes, hours, days, months and years).
TBackupStamp next_second(const TBackupStamp& stamp);

inline constexpr std::string_view kBackupFolder = "backup";

// "<area file>.<stamp>.bak".
std::string backup_file_name(std::string_view area_file, const TBackupStamp& stamp);
// The backups of area_file among names (the area file's name matched without regard to ASCII letter case),
// oldest first.
std::vector<std::string> backups_of(std::string_view area_file, const std::vector<std::string>& names);
// The name of the next backup of area_file: stamped now, or one second after the newest backup among names
// when that one is not older than now.
std::string next_backup_name(std::string_view area_file, const TBackupStamp& now,
                             const std::vector<std::string>& names);
// The backups of area_file among names beyond the newest keep ones, oldest first.
std::vector<std::string> backups_beyond(std::string_view area_file, const std::vector<std::string>& names,
                                        int32_t keep);

// Copies the file at area_path (as it is on disk now) into folder (created when missing) under the next
// backup name, with the file's own time of last change, and removes the backups of that area beyond the
// newest keep. Returns the backup's path; empty when there is no file to keep or keep is 0. Throws Error
// when the backup cannot be written (the area file is not touched either way).
std::string keep_backup(const std::string& area_path, const std::string& folder, const TBackupStamp& now,
                        int32_t keep);

}  // namespace tavro
