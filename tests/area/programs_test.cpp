#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "area/AreaTestSupport.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Rooms.h"
#include "area/SectionTestSupport.h"
#include "reading/AreaFile.h"
#include "world/Areas.h"

namespace tavro {
namespace {

using ::testing::StartsWith;

using ::testing::HasSubstr;
using ::testing::Not;

using test::error_of;
using test::load_area_text;
using test::save_area_text;
using ProgFields = std::vector<std::tuple<std::string, std::string, std::string>>;

const char* const kMobileHead =
    "#AREA ~\n#VERSION 11\n#MOBILES\n#100\nguard~\nguard~\nA guard.~\nTall.\n~\n0 0 0 S\n"
    "1 2 3 1d2+3 4d5+6\n7 8\n112 112 MALE\n";

class ProgramsTest : public ::testing::Test {
 protected:
  void write_prog(const std::string& name, std::string_view text) {
    test::write_file(dir.file("mud/mudprogs/" + name), text);
  }
  std::string path_line() const { return "load_area \"" + dir.file("test.are") + "\":\r\n"; }
  TWorldProgs& read_block(std::string_view text) {
    TAreaFile f;
    f.load_text(text);
    list.Read(f);
    return list;
  }
  std::string block_error(std::string_view text) {
    return error_of([&] { read_block(text); });
  }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world = test::make_test_world(dir.file("mud"));
  TArea area{world->Areas.get()};
  TWorldProgs list{world.get()};
};

TEST_F(ProgramsTest, BlockIsReadAndWrittenInline) {
  const std::string block = "> act_prog p smiles~\nsay Hello!\nbow\n~\n> SPEECH_PROG 'hi'~\nsay hi~\n|\n";
  EXPECT_EQ(test::written_by([&](TAreaFile& f) { list.Write(f); }), "");  // an empty list writes nothing
  read_block(block);
  // Each type keeps its own letter case.
  EXPECT_EQ(test::prog_fields(list), (ProgFields{{"act_prog", "p smiles", "say Hello!\r\nbow\r\n"},
                                                 {"SPEECH_PROG", "'hi'", "say hi"}}));
  EXPECT_EQ(test::written_by([&](TAreaFile& f) { list.Write(f); }), block);
}

TEST_F(ProgramsTest, BlockErrors) {
  const std::pair<const char*, const char*> cases[] = {
      {"< act_prog x~\ny~\n|\n", "> not found."},
      {"> FLY_PROG x~\ny~\n|\n", "Bad Prog: FLY_PROG"},
      {"> act_prog x~\ny~\n#0\n", "Bad letter in Prog: #"},
      {"> act_prog x~\ny~ |\n#0\n", "Bad letter in Prog: #"}};  // a bar on the body line is skipped with it
  for (const auto& [text, message] : cases)
    EXPECT_EQ(block_error(text), std::string("load_progs:\r\n") + message) << text;
  TWorldProgs fresh(world.get());
  TAreaFile f;
  f.load_text("> act_prog x~\ny~ |\n|\n");
  fresh.Read(f);
  EXPECT_EQ(fresh.Items.size(), 1u);
}

TEST_F(ProgramsTest, ProgramFilesArePulledInInFileOrder) {
  write_prog("greet.prg", "> greet_prog 100~\nsay Welcome~\n> rand_prog 5~\nemote yawns~\n|\n");
  read_block("> act_prog a~\nx~\n> in_file_prog greet.prg~\n> entry_prog 1~\nz~\n|\n");
  std::vector<std::string> types;
  for (const auto& prog : list.Items)
    types.push_back(prog->ProgType);
  EXPECT_EQ(types, (std::vector<std::string>{"act_prog", "greet_prog", "rand_prog", "entry_prog"}));
  for (const auto& prog : list.Items)
    EXPECT_EQ(prog->Owner, &list);
}

TEST_F(ProgramsTest, ProgramFilesMayNameFurtherFiles) {
  write_prog("a.prg", "> act_prog a~\na~\n> IN_FILE_PROG b.prg~\n|\n");
  write_prog("b.prg", "> act_prog b~\nb~\n|\n");
  read_block("> in_file_prog a.prg~\n> in_file_prog b.prg~\n|\n");
  ASSERT_EQ(list.Items.size(), 3u);
  EXPECT_EQ(list.Items[1]->Arguments, "b");
  EXPECT_EQ(list.Items[2]->Arguments, "b");  // the same file twice is no ring
}

TEST_F(ProgramsTest, FilesNamingThemselvesThroughOthersFailNamingTheRing) {
  write_prog("self.prg", "> act_prog a~\na~\n> in_file_prog self.prg~\n|\n");
  write_prog("one.prg", "> in_file_prog two.prg~\n|\n");
  write_prog("two.prg", "> in_file_prog three.prg~\n|\n");
  write_prog("three.prg", "> act_prog x~\ny~\n> in_file_prog one.prg~\n|\n");
  const std::string ring = "names itself through other program files: ";
  EXPECT_EQ(
      block_error("> in_file_prog self.prg~\n|\n"),
      "load_progs:\r\nload_progs:\r\nProgram file \"self.prg\" " + ring + "\"self.prg\" -> \"self.prg\"");
  EXPECT_EQ(block_error("> in_file_prog one.prg~\n|\n"),
            "load_progs:\r\nload_progs:\r\nload_progs:\r\nload_progs:\r\nProgram file \"one.prg\" " + ring +
                "\"one.prg\" -> \"two.prg\" -> \"three.prg\" -> \"one.prg\"");
}

TEST_F(ProgramsTest, LongChainOfDistinctFilesIsReadWithoutRecursion) {
  const int files = 3000;
  for (int i = 0; i < files; ++i) {
    std::string next = i + 1 < files ? "> in_file_prog f" + std::to_string(i + 1) + ".prg~\n" : "";
    write_prog("f" + std::to_string(i) + ".prg",
               "> act_prog " + std::to_string(i) + "~\nx~\n" + next + "|\n");
  }
  read_block("> in_file_prog f0.prg~\n|\n");
  ASSERT_EQ(list.Items.size(), static_cast<size_t>(files));
  EXPECT_EQ(list.Items.back()->Arguments, std::to_string(files - 1));
}

TEST_F(ProgramsTest, ErrorInsideAProgramFileCarriesOneLinePerOpenBlock) {
  write_prog("bad.prg", "> no_such_prog x~\ny~\n|\n");
  EXPECT_EQ(block_error("> in_file_prog bad.prg~\n|\n"),
            "load_progs:\r\nload_progs:\r\nBad Prog: no_such_prog");
  std::string missing = block_error("> in_file_prog missing.prg~\n|\n");
  EXPECT_THAT(missing, StartsWith("load_progs:\r\n"));
  EXPECT_THAT(missing, Not(HasSubstr("load_progs:\r\nload_progs:")));
  EXPECT_THAT(missing, HasSubstr("missing.prg"));
}

// Programs pulled in from a file by the in-file marker or attached by #MUDPROGS are written inline
// after their record (inline programs round-trip in the tests of each record kind).
TEST_F(ProgramsTest, ProgramsAreWrittenInlineAfterTheirRecord) {
  write_prog("greet.prg", "> greet_prog 100~\nsay Welcome~\n|\n");
  write_prog("guard.prg", "> speech_prog hello~\nsay Halt!~\n|\n");
  const std::pair<std::string, std::string> cases[] = {
      {"#VERSION 11\n#ROOMS\n#5\nA room~\nIt is a room.\n~\n0 0 1\n> in_file_prog greet.prg~\n|\nS\n#0\n#$\n",
       "#ROOMS\n#5\nA room~\nIt is a room.\n~\n0 0 1\n> greet_prog 100~\nsay Welcome~\n|\nS\n\n#0\n\n"},
      {std::string(kMobileHead) + "#0\n#MUDPROGS\n* a comment line\nm 100 guard.prg\nS\n#$\n",
       "112 112 MALE\n> speech_prog hello~\nsay Halt!~\n|\n\n#0\n"}};
  for (const auto& [text, written] : cases) {
    TArea fresh(world->Areas.get());
    load_area_text(fresh, dir, text);
    const std::string saved = save_area_text(fresh, dir);
    EXPECT_THAT(saved, HasSubstr(written));
    EXPECT_THAT(saved, Not(HasSubstr("MUDPROGS")));
  }
}

TEST_F(ProgramsTest, MudprogsAndObjprogsErrors) {
  write_prog("guard.prg", "> speech_prog hello~\nsay Halt!~\n|\n");
  auto& holder = *world->Areas->Items.emplace_back(std::make_unique<TArea>(world->Areas.get()));
  load_area_text(holder, dir, std::string(kMobileHead) + "#0\n#$\n", "holder.are");
  // Mobile 100 is another area's: only this area's mobiles and objects are looked in.
  const std::pair<std::string, std::string> cases[] = {
      {std::string(kMobileHead) + "#0\n#MUDPROGS\nM 101 guard.prg\nS\n#$\n",
       "#MUDPROGS:\r\nVNum 101 doesnt exist."},
      {"#MUDPROGS\nX 1 a\nS\n#$\n", "#MUDPROGS:\r\nBad command 'X'."},
      {"#MUDPROGS\nM 100 guard.prg\nS\n#$\n", "#MUDPROGS:\r\nVNum 100 doesnt exist."},
      {"#OBJPROGS\nM 5 guard.prg\nS\n#$\n", "#OBJPROGS:\r\nVNum 5 doesnt exist."}};
  for (const auto& [text, message] : cases) {
    TArea fresh(world->Areas.get());
    EXPECT_EQ(error_of([&] { load_area_text(fresh, dir, text); }), path_line() + message) << text;
  }
}

TEST_F(ProgramsTest, AssignCopiesEveryProgram) {
  read_block("> act_prog a~\nx~\n> rand_prog 5~\ny~\n|\n");
  TWorldProgs copy(world.get());
  copy.Add().ProgType = "stale";
  copy.Assign(list);
  EXPECT_EQ(test::prog_fields(copy), test::prog_fields(list));
  EXPECT_EQ(copy.Items[1]->Owner, &copy);
  list.Items[1]->Body = "changed";
  EXPECT_EQ(copy.Items[1]->Body, "y");
}

TEST_F(ProgramsTest, EmptyTypeIsNeverTheInFileMarkerAndWithoutAWorldNoTypeIsKnown) {
  world->InFileProgName = "";
  EXPECT_EQ(block_error("> '' a.prg~\n|\n"), "load_progs:\r\nBad Prog: ");
  TWorldProgs lonely(nullptr);
  TAreaFile f;
  f.load_text("> act_prog a~\nx~\n|\n");
  EXPECT_EQ(error_of([&] { lonely.Read(f); }), "load_progs:\r\nBad Prog: act_prog");
}

}  // namespace
}  // namespace tavro
