#include <gtest/gtest.h>

#include "reading/Error.h"
#include "world/IniFile.h"
#include "world/TextLists.h"
#include "world/WorldSpecFunctions.h"
#include "world_fixture.h"

namespace tavro {
namespace {

using testing::ScratchWorld;

TEST(IniFile, NamesMatchWithoutRegardToCaseAndMissingValuesGiveTheDefault) {
  ScratchWorld scratch;
  scratch.write("a.ini",
                "; settings\r\n[Files]\r\n  Path = lists  \r\nItemTypes=\"my types.lst\"\r\n"
                "[MudFiles]\r\nPath=C:\\mud\r\nEmpty=\r\n");
  TIniFile ini(scratch.path("a.ini"));
  EXPECT_EQ(ini.ReadString("files", "PATH", "files"), "lists");
  EXPECT_EQ(ini.ReadString("FILES", "itemtypes", ""), "my types.lst");
  EXPECT_EQ(ini.ReadString("MudFiles", "Path", ""), "C:\\mud");
  EXPECT_EQ(ini.ReadString("MudFiles", "Empty", "x"), "");
  EXPECT_EQ(ini.ReadString("MudFiles", "Areas", "area\\area.lst"), "area\\area.lst");
  EXPECT_EQ(ini.ReadString("Nowhere", "Path", "d"), "d");
  TIniFile missing(scratch.path("missing.ini"));
  EXPECT_EQ(missing.ReadString("Files", "Path", "files"), "files");
}

TEST(IniFile, WritingAValueKeepsEveryOtherLine) {
  ScratchWorld scratch;
  const std::string original =
      "; the editor's settings\r\n[Files]\r\nPath=files\r\n\r\n; server\r\n[mudfiles]\r\npath=old\r\n"
      "SectorColors=colors.lst\r\n\r\n[Other]\r\nKey=1\r\n";
  scratch.write("a.ini", original);
  TIniFile ini(scratch.path("a.ini"));
  EXPECT_TRUE(ini.WriteString("MudFiles", "Path", "/srv/mud"));
  EXPECT_EQ(
      scratch.read("a.ini"),
      "; the editor's settings\r\n[Files]\r\nPath=files\r\n\r\n; server\r\n[mudfiles]\r\npath=/srv/mud\r\n"
      "SectorColors=colors.lst\r\n\r\n[Other]\r\nKey=1\r\n");
  EXPECT_TRUE(ini.WriteString("MudFiles", "Areas", "a.lst"));  // a new key goes after the section's last
  EXPECT_TRUE(ini.WriteString("New", "K", "v"));               // a new section goes at the end
  EXPECT_EQ(
      scratch.read("a.ini"),
      "; the editor's settings\r\n[Files]\r\nPath=files\r\n\r\n; server\r\n[mudfiles]\r\npath=/srv/mud\r\n"
      "SectorColors=colors.lst\r\nAreas=a.lst\r\n\r\n[Other]\r\nKey=1\r\n\r\n[New]\r\nK=v\r\n");
  EXPECT_EQ(TIniFile(scratch.path("a.ini")).ReadString("mudfiles", "areas", ""), "a.lst");
}

TEST(IniFile, LfFilesStayLfAndAMissingFileIsCreated) {
  ScratchWorld scratch;
  scratch.write("lf.ini", "[A]\nX=1\n");
  TIniFile lf(scratch.path("lf.ini"));
  lf.WriteString("a", "x", "2");
  EXPECT_EQ(scratch.read("lf.ini"), "[A]\nX=2\n");
  TIniFile fresh(scratch.path("new.ini"));
  EXPECT_TRUE(fresh.WriteString("MudFiles", "Path", "mud"));
  EXPECT_EQ(scratch.read("new.ini"), "[MudFiles]\r\nPath=mud\r\n");
  TIniFile unwritable(scratch.path("no/such/folder/x.ini"));
  EXPECT_FALSE(unwritable.WriteString("A", "B", "C"));
  EXPECT_EQ(unwritable.ReadString("A", "B", ""), "C");
}

TEST(TextLists, LinesSplitAtEveryKindOfBreak) {
  EXPECT_EQ(split_lines("a\r\nb\nc\rd"), (TStringList{"a", "b", "c", "d"}));
  EXPECT_EQ(split_lines("a\r\n\r\nb\r\n"), (TStringList{"a", "", "b"}));
  EXPECT_EQ(split_lines(""), TStringList{});
  EXPECT_EQ(split_lines("\n"), TStringList{""});
  EXPECT_EQ(std::make_tuple(entry_name("3=ITEM"), entry_value("3=ITEM=x"), entry_name("plain"),
                            entry_value("plain")),
            std::make_tuple("3", "ITEM=x", "plain", ""));
}

TEST(TextLists, LookUpsCompareAsTheirListsNeed) {
  TStringList flags{"2=Fire", "0=COLD", "plain"};
  // Texts match without regard to case, Cyrillic too; display names exactly; "plain" has no display name.
  EXPECT_EQ(std::make_tuple(index_of_text(flags, "PLAIN"), index_of_name(flags, "0"),
                            index_of_display_name(flags, "Fire"), index_of_display_name(flags, "FIRE"),
                            index_of_display_name(flags, "plain"),
                            index_of_text({utf8_to_cp1251("лес")}, utf8_to_cp1251("ЛЕС"))),
            std::make_tuple(2, 1, 0, -1, -1, 0));
}

TEST(TextLists, SortedInsertOrdersWithoutRegardToCaseAndDropsRepeats) {
  TStringList list;
  for (const char* entry : {"2=5", "10=1", "b=1", "A=2", "2=5", "B=1"})
    add_sorted(list, entry);
  EXPECT_EQ(list, (TStringList{"10=1", "2=5", "A=2", "b=1"}));
}

TEST(TextLists, AtomicWriteReplacesTheFileOrLeavesItAlone) {
  ScratchWorld scratch;
  scratch.write("f.txt", "old");
  write_file_atomically(scratch.path("f.txt"), "new");
  EXPECT_EQ(scratch.read("f.txt"), "new");
  EXPECT_THROW(write_file_atomically(scratch.path("missing/f.txt"), "x"), Error);
  EXPECT_THROW(load_list_file(scratch.path("missing.lst")), Error);
}

TEST(SpecFunctions, NumbersCountFromOneAndNamesIgnoreCase) {
  TWorldSpecFunctions table;
  table.Items = {"spec_breath_fire", "spec_cast_mage", "spec_fido"};
  TWorldSpecFunctions empty;
  EXPECT_EQ(
      std::make_tuple(table.Lookup("spec_breath_fire"), table.Lookup("SPEC_FIDO"), table.Lookup("spec_guard"),
                      empty.Lookup("spec_fido"), empty.Lookup(""), table.IndexToName(2)),
      std::make_tuple(1, 3, -1, -1, -1, "spec_cast_mage"));
  for (int32_t bad : {0, 4, -1})
    EXPECT_EQ(test::error_of([&] { table.IndexToName(bad); }),
              "SpecFunctions.IndexToName: Index out of range!")
        << bad;
  EXPECT_THROW(empty.IndexToName(1), Error);
}

}  // namespace
}  // namespace tavro
