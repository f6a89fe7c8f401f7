// Recovery files of the autosave: their names, their text and its record (manifest), refusing a file cut
// short or damaged, every sample area written and read back unchanged, and the editor's safety settings.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "area/Area.h"
#include "area/Header.h"
#include "area/Rooms.h"
#include "reading/AreaFile.h"
#include "support/ErrorOf.h"
#include "support/Scratch.h"
#include "world/Areas.h"
#include "world/IniFile.h"
#include "world/Recovery.h"
#include "world/World.h"

namespace tavro {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kAreaText = "#AREA Home~\n\n#VERSION 11\n\n#$\n";

TRecoveryManifest manifest_of(std::string file, bool is_new = false) {
  TRecoveryManifest manifest;
  manifest.AreaFile = std::move(file);
  manifest.IsNew = is_new;
  manifest.SavedAt = 1714567890;
  manifest.AreaStamp = {4821, 1714567000123456789};
  return manifest;
}

TEST(RecoveryNames, NamedAndNewAreasNeverShareAName) {
  struct Case {
    std::string area_file;
    int32_t number;
    std::vector<std::string> taken;
    std::string expected;
  };
  const Case cases[] = {
      {"midgaard.are", 1, {}, "area-midgaard.are.rec"},
      {"", 1, {}, "new-1.rec"},
      {"", 12, {}, "new-12.rec"},
      // A kept file that could not be read keeps its name; the area takes the next one.
      {"midgaard.are", 1, {"area-midgaard.are.rec"}, "area-midgaard.are-2.rec"},
      {"midgaard.are", 1, {"AREA-MIDGAARD.ARE.rec", "area-midgaard.are-2.rec"}, "area-midgaard.are-3.rec"},
      {"", 3, {"new-3.rec"}, "new-3-2.rec"},
      // A file called "new-1" is still a named area.
      {"new-1", 1, {}, "area-new-1.rec"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    const std::string name = recovery_file_name(c.area_file, c.number, c.taken);
    EXPECT_EQ(name, c.expected);
    EXPECT_TRUE(is_recovery_file_name(name));
  }
  for (const char* other :
       {"midgaard.are", "area-.rec", "new-.rec", "area-x.are.rec.tmp12", "editor.lock", ".rec"})
    EXPECT_FALSE(is_recovery_file_name(other)) << other;
}

TEST(RecoveryNames, OneFolderPerWorld) {
  const std::string home = recovery_folder_name("/srv/games/mud");
  EXPECT_THAT(home, ::testing::MatchesRegex("mud-[0-9a-f]{16}"));
  EXPECT_EQ(recovery_folder_name("/srv/games/mud/"), home);
  EXPECT_NE(recovery_folder_name("/srv/other/mud"), home);
  EXPECT_THAT(recovery_folder_name("C:\\Worlds\\Мой мир"), ::testing::MatchesRegex("_+-[0-9a-f]{16}"));
  EXPECT_THAT(recovery_folder_name("/"), StartsWith("world-"));
  EXPECT_THAT(recovery_folder_name("/srv/.."), StartsWith("world-"));
}

TEST(RecoveryText, TheAreaTextComesFirstAndTheRecordGivesItsManifestBack) {
  for (const TRecoveryManifest& manifest :
       {manifest_of("midgaard.are"), manifest_of("", true), manifest_of("with space.are", true)}) {
    SCOPED_TRACE(manifest.AreaFile);
    const std::string text = recovery_text(kAreaText, manifest);
    EXPECT_THAT(text, StartsWith(kAreaText + "#TAVRO-RECOVERY 1\nFile " + manifest.AreaFile + "\n"));
    EXPECT_THAT(text, EndsWith("\n#END\n"));
    const TRecoveryContents contents = parse_recovery_text(text);
    EXPECT_EQ(contents.AreaText, kAreaText);
    EXPECT_EQ(contents.Manifest, manifest);
  }
  // A missing area file is recorded as size -1.
  TRecoveryManifest missing = manifest_of("gone.are");
  missing.AreaStamp = {};
  EXPECT_EQ(parse_recovery_text(recovery_text(kAreaText, missing)).Manifest, missing);
}

TEST(RecoveryText, EveryCutIsRefused) {
  const std::string text = recovery_text(kAreaText, manifest_of("midgaard.are"));
  for (size_t length = 0; length < text.size(); ++length) {
    SCOPED_TRACE(length);
    const std::string message = test::error_of([&] { parse_recovery_text(text.substr(0, length)); });
    EXPECT_THAT(message, StartsWith("The file is "));
  }
  EXPECT_EQ(test::error_of([&] { parse_recovery_text(text.substr(0, text.size() - 3)); }),
            "The file is cut short: it does not end with the record of its area.");
}

TEST(RecoveryText, EveryDamagedByteIsRefused) {
  const std::string text = recovery_text(kAreaText, manifest_of("midgaard.are"));
  for (size_t at = 0; at < text.size(); ++at) {
    for (const unsigned char flip : {0x01, 0x20, 0x80}) {
      std::string damaged = text;
      damaged[at] = static_cast<char>(static_cast<unsigned char>(damaged[at]) ^ flip);
      SCOPED_TRACE(testing::Message() << "byte " << at << " flipped by " << int(flip));
      EXPECT_FALSE(test::error_of([&] { parse_recovery_text(damaged); }).empty());
    }
  }
  std::string in_the_area = text;
  in_the_area[3] = 'X';
  EXPECT_EQ(test::error_of([&] { parse_recovery_text(in_the_area); }),
            "The file is damaged: its check sum does not match its contents.");
}

TEST(RecoveryText, AFileOfALaterFormatOrOfNoFormatIsNamedAsSuch) {
  EXPECT_EQ(test::error_of([] { parse_recovery_text("#AREA Home~\n#$\n#END\n"); }),
            "It is not a recovery file of this editor.");
  EXPECT_EQ(test::error_of([] { parse_recovery_text("#TAVRO-RECOVERY 2\nCheck 0\n#END\n"); }),
            "It was written by a newer version of the editor (recovery format 2).");
  // Lines a later version adds are covered by the check sum and passed over.
  std::string text = recovery_text(kAreaText, manifest_of("a.are"));
  EXPECT_NO_THROW(parse_recovery_text(text));
  EXPECT_THROW(recovery_text(kAreaText, manifest_of("two\nlines.are")), Error);
}

class RecoveryFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy(TAVRO_SAMPLE_DIR, dir.file("sample"), std::filesystem::copy_options::recursive);
    world = std::make_unique<TWorld>(dir.file("sample"), dir.file("sample/mud"));
    for (const std::string& name : world->AreaNames)
      world->load_single_area(dir.file("sample/mud/area/" + name));
    ASSERT_GE(world->Areas->Items.size(), 4u);
  }
  static std::string text_of(const TArea& area) {
    TAreaFile f;
    area.write_area(f);
    return f.Buffer;
  }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world;
};

TEST_F(RecoveryFiles, EverySampleAreaComesBackAsItWasWritten) {
  for (const auto& area : world->Areas->Items) {
    SCOPED_TRACE(area->Header->FileName);
    const std::string path = dir.file("recovery/" + recovery_file_name(area->Header->FileName, 0));
    std::filesystem::create_directories(dir.file("recovery"));
    const TRecoveryManifest manifest = manifest_of(area->Header->FileName);
    const std::string before = test::read_file(dir.file("sample/mud/area/" + area->Header->FileName));
    write_recovery_file(*area, path, manifest);
    // The area and its own file are left alone.
    EXPECT_FALSE(area->IsNew);
    EXPECT_EQ(test::read_file(dir.file("sample/mud/area/" + area->Header->FileName)), before);

    TArea recovered(world->Areas.get());
    EXPECT_EQ(read_recovery_file(path, recovered), manifest);
    EXPECT_EQ(recovered.Header->FileName, area->Header->FileName);
    EXPECT_EQ(text_of(recovered), text_of(*area));
    // The recovery file is itself an area file: the area reader stops at "#$".
    TArea by_hand(world->Areas.get());
    by_hand.load_area(path);
    EXPECT_EQ(text_of(by_hand), text_of(*area));
  }
}

TEST_F(RecoveryFiles, AnAreaNeverSavedComesBackNew) {
  TArea fresh(world->Areas.get());
  fresh.Header->Name = "Unsaved";
  fresh.Rooms->Add().Vnum = 77;
  write_recovery_file(fresh, dir.file("new-1.rec"), manifest_of("", true));
  TArea recovered(world->Areas.get());
  recovered.IsNew = false;
  EXPECT_TRUE(read_recovery_file(dir.file("new-1.rec"), recovered).IsNew);
  EXPECT_TRUE(recovered.IsNew);
  EXPECT_EQ(recovered.Header->FileName, "");
  EXPECT_EQ(text_of(recovered), text_of(fresh));
}

TEST_F(RecoveryFiles, AFileThatDoesNotReadSaysWhichAndWhy) {
  const TArea& area = *world->Areas->Items.front();
  const std::string path = dir.file("area-x.rec");
  write_recovery_file(area, path, manifest_of("x.are"));
  const std::string whole = test::read_file(path);
  test::write_file(path, whole.substr(0, whole.size() / 2));
  TArea into(world->Areas.get());
  EXPECT_EQ(test::error_of([&] { read_recovery_file(path, into); }),
            "Recovery file \"" + path +
                "\":\r\nThe file is cut short: it does not end with the record of its area.");
  // A record that is whole over an area text that is not: the area reader's own message.
  test::write_file(path, recovery_text("#AREA Broken~\n#FOO\n", manifest_of("x.are")));
  EXPECT_EQ(test::error_of([&] { read_recovery_file(path, into); }),
            "Recovery file \"" + path + "\":\r\nBad section name: FOO");
  EXPECT_THAT(test::error_of([&] { read_recovery_file(dir.file("none.rec"), into); }),
              HasSubstr("Cannot open"));
}

TEST(FileStamps, ASizeAndATimeOrNoFile) {
  test::ScratchDir dir;
  EXPECT_EQ(file_stamp(dir.file("none.are")), TFileStamp{});
  EXPECT_EQ(file_stamp(dir.file("none.are")).Size, -1);
  test::write_file(dir.file("Home.are"), "12345");
  const TFileStamp stamp = file_stamp(dir.file("home.are"));  // found without regard to letter case
  EXPECT_EQ(stamp.Size, 5);
  std::filesystem::last_write_time(
      dir.file("Home.are"), std::filesystem::last_write_time(dir.file("Home.are")) + std::chrono::seconds(3));
  EXPECT_NE(file_stamp(dir.file("Home.are")), stamp);
  EXPECT_EQ(file_stamp(dir.path().string()), TFileStamp{});  // a folder is no area file
}

TEST(EditorSafety, TheSettingsOfTheEditorSection) {
  struct Case {
    const char* ini;
    int32_t seconds;
    int32_t backups;
  };
  const Case cases[] = {
      {"", 30, 5},
      {"[Editor]\r\nAutoSaveSeconds=10\r\nBackupCount=2\r\n", 10, 2},
      {"[editor]\r\nautosaveseconds=0\r\nbackupcount=0\r\n", 0, 0},
      {"[Editor]\r\nAutoSaveSeconds=-5\r\nBackupCount=many\r\n", 30, 5},
      {"[Editor]\r\nAutoSaveSeconds=10s\r\nBackupCount=\r\n", 30, 5},
      {"[Editor]\r\nAutoSaveSeconds=999999\r\nBackupCount=5000\r\n", 86400, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ini);
    test::ScratchDir dir;
    test::write_file(dir.file("TavroEd.ini"), c.ini);
    const TEditorSafety safety = read_editor_safety(TIniFile(dir.file("TavroEd.ini")));
    EXPECT_EQ(safety.AutoSaveSeconds, c.seconds);
    EXPECT_EQ(safety.BackupCount, c.backups);
  }
}

}  // namespace
}  // namespace tavro
