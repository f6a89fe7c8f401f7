// Rolling backups of area files: stamps that sort by time, names of one area among others, the next
// name after a backup of the same second, pruning to the newest few, and the copy on disk.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "support/ErrorOf.h"
#include "support/Scratch.h"
#include "world/Backups.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;

constexpr TBackupStamp kNoon{2024, 5, 1, 12, 0, 0};

TEST(BackupStamps, WrittenAndReadBack) {
  struct Case {
    TBackupStamp stamp;
    const char* text;
  };
  const Case cases[] = {
      {{2024, 5, 1, 12, 34, 56}, "20240501-123456"},
      {{1999, 12, 31, 23, 59, 59}, "19991231-235959"},
      {{2024, 2, 29, 0, 0, 0}, "20240229-000000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(format_stamp(c.stamp), c.text);
    EXPECT_EQ(parse_stamp(c.text), c.stamp);
  }
  for (const char* bad : {"", "20240501123456", "20240501-12345", "2024050a-123456", "20230229-000000",
                          "20241301-000000", "20240501-240000", "20240501 123456", "20240501-123456 "})
    EXPECT_FALSE(parse_stamp(bad).has_value()) << bad;
  EXPECT_EQ(format_stamp({2023, 2, 29, 0, 0, 0}), "");
}

TEST(BackupStamps, TheNextSecondCarriesThroughTheCalendar) {
  struct Case {
    TBackupStamp from, to;
  };
  const Case cases[] = {
      {{2024, 5, 1, 12, 0, 0}, {2024, 5, 1, 12, 0, 1}},
      {{2024, 5, 1, 12, 59, 59}, {2024, 5, 1, 13, 0, 0}},
      {{2024, 5, 31, 23, 59, 59}, {2024, 6, 1, 0, 0, 0}},
      {{2024, 2, 28, 23, 59, 59}, {2024, 2, 29, 0, 0, 0}},
      {{2023, 2, 28, 23, 59, 59}, {2023, 3, 1, 0, 0, 0}},
      {{1900, 2, 28, 23, 59, 59}, {1900, 3, 1, 0, 0, 0}},
      {{2000, 2, 28, 23, 59, 59}, {2000, 2, 29, 0, 0, 0}},
      {{2024, 12, 31, 23, 59, 59}, {2025, 1, 1, 0, 0, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(next_second(c.from), c.to) << format_stamp(c.from);
}

TEST(BackupNames, TheBackupsOfOneAreaOldestFirst) {
  const std::vector<std::string> names = {"town.are.20240501-120000.bak",
                                          "town.are.20240430-090000.bak",
                                          "TOWN.ARE.20240502-080000.bak",
                                          "town.are.2024-05-01.bak",
                                          "town.are",
                                          "townhall.are.20240501-120000.bak",
                                          "forest.are.20240101-000000.bak",
                                          "town.are.20240501-120000.bak.tmp123",
                                          "town.are.20240501-120000.bakx"};
  EXPECT_EQ(backups_of("town.are", names),
            (std::vector<std::string>{"town.are.20240430-090000.bak", "town.are.20240501-120000.bak",
                                      "TOWN.ARE.20240502-080000.bak"}));
  EXPECT_EQ(backups_of("forest.are", names), (std::vector<std::string>{"forest.are.20240101-000000.bak"}));
  EXPECT_TRUE(backups_of("mill.are", names).empty());
  EXPECT_EQ(backup_file_name("town.are", kNoon), "town.are.20240501-120000.bak");
}

TEST(BackupNames, TheNextNameIsAlwaysTheNewest) {
  struct Case {
    const char* label;
    std::vector<std::string> names;
    const char* expected;
  };
  const Case cases[] = {
      {"first", {}, "town.are.20240501-120000.bak"},
      {"older ones", {"town.are.20240430-090000.bak"}, "town.are.20240501-120000.bak"},
      {"same second", {"town.are.20240501-120000.bak"}, "town.are.20240501-120001.bak"},
      {"twice in one second",
       {"town.are.20240501-120000.bak", "town.are.20240501-120001.bak"},
       "town.are.20240501-120002.bak"},
      {"clock set back", {"town.are.20240501-180000.bak"}, "town.are.20240501-180001.bak"},
      {"other areas do not count", {"townhall.are.20240501-180000.bak"}, "town.are.20240501-120000.bak"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(next_backup_name("town.are", kNoon, c.names), c.expected) << c.label;
}

TEST(BackupNames, OnlyTheNewestAreKept) {
  const std::vector<std::string> names = {"a.are.20240501-120003.bak", "a.are.20240501-120001.bak",
                                          "a.are.20240501-120002.bak", "b.are.20240501-120000.bak"};
  EXPECT_EQ(backups_beyond("a.are", names, 2), (std::vector<std::string>{"a.are.20240501-120001.bak"}));
  EXPECT_EQ(backups_beyond("a.are", names, 1),
            (std::vector<std::string>{"a.are.20240501-120001.bak", "a.are.20240501-120002.bak"}));
  EXPECT_TRUE(backups_beyond("a.are", names, 3).empty());
  EXPECT_TRUE(backups_beyond("a.are", names, 5).empty());
  EXPECT_EQ(backups_beyond("a.are", names, 0).size(), 3u);
}

TEST(KeepBackup, TheFileOnDiskIsCopiedAndTheOldestDropped) {
  test::ScratchDir dir;
  const std::string area = dir.file("area/town.are");
  const std::string folder = dir.file("area/backup");
  test::write_file(area, "version 0");
  const auto saved_at = fs::last_write_time(area) - std::chrono::hours(2);
  fs::last_write_time(area, saved_at);

  const std::string first = keep_backup(area, folder, kNoon, 5);
  EXPECT_EQ(first, dir.file("area/backup/town.are.20240501-120000.bak"));
  EXPECT_EQ(test::read_file(first), "version 0");
  EXPECT_EQ(fs::last_write_time(first), saved_at);
  EXPECT_EQ(test::read_file(area), "version 0");

  for (int version = 1; version <= 5; ++version) {
    test::write_file(area, "version " + std::to_string(version));
    keep_backup(area, folder, kNoon, 5);
  }
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  const std::vector<std::string> kept = backups_of("town.are", names);
  ASSERT_EQ(names.size(), 5u);  // no temporary left behind
  ASSERT_EQ(kept.size(), 5u);
  EXPECT_EQ(kept.front(), "town.are.20240501-120001.bak");
  EXPECT_EQ(test::read_file(folder + "/" + kept.front()), "version 1");
  EXPECT_EQ(test::read_file(folder + "/" + kept.back()), "version 5");
}

TEST(KeepBackup, NothingToKeepOrKeepingNone) {
  test::ScratchDir dir;
  EXPECT_EQ(keep_backup(dir.file("area/new.are"), dir.file("area/backup"), kNoon, 5), "");
  test::write_file(dir.file("area/town.are"), "x");
  EXPECT_EQ(keep_backup(dir.file("area/town.are"), dir.file("area/backup"), kNoon, 0), "");
  EXPECT_FALSE(fs::exists(dir.file("area/backup")));
  // A backup folder that cannot be made: the message names it; the area file stays.
  test::write_file(dir.file("area/blocked"), "a file where the folder should be");
  EXPECT_THAT(
      test::error_of([&] { keep_backup(dir.file("area/town.are"), dir.file("area/blocked"), kNoon, 5); }),
      ::testing::StartsWith("Backup of \"" + dir.file("area/town.are") + "\":\r\n"));
  EXPECT_EQ(test::read_file(dir.file("area/town.are")), "x");
}

}  // namespace
}  // namespace tavro
