#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "reading/Paths.h"
#include "support/Scratch.h"

namespace tavro {
namespace {

TEST(Paths, BackslashesBecomeSeparatorsAndAbsolutePartsStand) {
  EXPECT_EQ(join_path("/srv/mud", "area\\area.lst"), "/srv/mud/area/area.lst");
  EXPECT_EQ(join_path("/srv/mud/", "system\\skills.dat"), "/srv/mud/system/skills.dat");
  EXPECT_EQ(join_path("/srv/lists", "/etc/ItemTypes.lst"), "/etc/ItemTypes.lst");
  EXPECT_TRUE(is_absolute_path("C:\\mud\\files"));
  EXPECT_FALSE(is_absolute_path("files\\x.lst"));
  EXPECT_EQ(file_name_part("area\\town.are"), "town.are");
  EXPECT_EQ(file_name_part("/x/y/forest.are"), "forest.are");
  EXPECT_EQ(folder_part("/x/y/forest.are"), "/x/y");
}

TEST(Paths, NameOfOtherLetterCaseResolvesToTheSingleMatch) {
  test::ScratchDir scratch;
  const std::filesystem::path& dir = scratch.path();
  std::ofstream(dir / "SectorColors.lst") << "x";
  EXPECT_EQ(resolve_path_case((dir / "sectorcolors.LST").string()), (dir / "SectorColors.lst").string());
  EXPECT_EQ(resolve_path_case((dir / "missing.lst").string()), (dir / "missing.lst").string());
  std::ofstream(dir / "SECTORCOLORS.lst") << "y";  // two candidates: no guess
  EXPECT_EQ(resolve_path_case((dir / "sectorcolors.lst").string()), (dir / "sectorcolors.lst").string());
}

}  // namespace
}  // namespace tavro
