// Hostile input for the area reader: mutated and truncated copies of the sample areas and of a small
// generated area, every prefix of an area, and hand-made shapes. Every input must end in a loaded area
// or a tavro::Error, never in a crash, another exception or a hang; a loaded area must also save (or
// refuse with a tavro::Error).
//
// The run is deterministic (fixed seeds). TAVRO_FUZZ_CASES sets the number of mutated copies per
// source; the default is smaller in unoptimised and sanitizer builds so that the test stays quick there.
#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "area/AreaTestSupport.h"
#include "support/WorldGenerator.h"
#include "world/Areas.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;

const std::string kSample = TAVRO_SAMPLE_DIR;

#if defined(__SANITIZE_ADDRESS__) || !defined(NDEBUG)
constexpr int kDefaultMutationsPerSource = 360;
#else
constexpr int kDefaultMutationsPerSource = 1500;
#endif
constexpr size_t kCutsPerSource = 40;

// A case that runs longer than this is taken for a hang.
constexpr unsigned kCaseSeconds = 20;

int mutations_per_source() {
  const char* text = std::getenv("TAVRO_FUZZ_CASES");
  const int cases = text != nullptr ? std::atoi(text) : 0;
  return cases > 0 ? cases : kDefaultMutationsPerSource;
}

// Bytes that steer the grammar: section marks, terminators, signs, separators, flag letters.
const std::string kSyntax = "#~|>$0123456789-+&:;*' \"\n\rSMOPGDERCabcAZ\x80\xC1\xFF";

// Pieces of the grammar that lead a reader into its rarer paths, and whole lines of them.
std::vector<std::string> grammar_tokens() {
  std::vector<std::string> tokens = {"#0",           "#$",         "D11",        "D-1",
                                     "-2147483648",  "2147483647", "4294967296", "99999999999999999999",
                                     "M 0 0 79 49 ", "AB&C&D&E&f", "0&0&0&0&0",  "|1|2|3",
                                     "1d1+1"};
  for (const char* line : {"#ROOMS", "#MOBILES", "#OBJECTS", "#RESETS", "#SHOPS", "#REPAIRS", "#SPECIALS",
                           "#HELPS", "#MUDPROGS", "#OBJPROGS", "#VERSION 0", "#VERSION 4", "#VERSION 7",
                           "#RANGES", "> in_file_prog x~", "> bogus_prog~", "-1 $~"})
    tokens.push_back(std::string(line) + "\n");
  return tokens;
}
const std::vector<std::string> kTokens = grammar_tokens();

// One to six edits: bytes of the grammar or any byte replaced or inserted, runs removed or repeated,
// tokens inserted or put in place of a run, the text cut short. Plain modulo keeps the sequence the
// same on every standard library.
std::string mutate(std::string text, std::mt19937& random) {
  const auto pick = [&](size_t n) { return n == 0 ? size_t{0} : static_cast<size_t>(random() % n); };
  const int edits = static_cast<int>(pick(6)) + 1;
  for (int i = 0; i < edits && !text.empty(); ++i) {
    const size_t at = pick(text.size());
    const size_t kind = pick(8);
    if (kind == 0)
      text[at] = kSyntax[pick(kSyntax.size())];
    else if (kind == 1)
      text.insert(at, 1, kSyntax[pick(kSyntax.size())]);
    else if (kind == 2)
      text.erase(at, pick(40) + 1);
    else if (kind == 3)
      text.insert(at, text.substr(pick(text.size()), pick(200) + 1));
    else if (kind == 4)
      text[at] = static_cast<char>(pick(256));
    else if (kind == 5)
      text.insert(at, kTokens[pick(kTokens.size())]);
    else if (kind == 6)
      text.replace(at, pick(8) + 1, kTokens[pick(kTokens.size())]);
    else
      text.resize(at);
  }
  return text;
}

// Ends the whole run with the case's name when one case does not finish in time: a hang would
// otherwise only show as a test timeout, without saying which input caused it.
char hang_message[512];

extern "C" void report_hang(int) {
  const ssize_t ignored = write(STDERR_FILENO, hang_message, std::strlen(hang_message));
  (void)ignored;
  _exit(3);
}

void watch_case(const std::string& name) {
  std::snprintf(hang_message, sizeof hang_message, "fuzz case %s did not finish: the reader hangs\n",
                name.c_str());
  std::signal(SIGALRM, report_hang);
  alarm(kCaseSeconds);
}

class AreaFuzzTest : public ::testing::Test {
 protected:
  // The world remembers its server root in the settings file: it is built on a copy of the sample.
  void SetUp() override {
    fs::copy(kSample, dir.file("sample"), fs::copy_options::recursive);
    world = std::make_unique<TWorld>(dir.file("sample"), dir.file("sample/mud"));
  }

  // Loads text as an area; a loaded area must also save. True when it loaded. Anything but a
  // tavro::Error fails the test, naming the case and keeping its input.
  bool survives(const std::string& text, const std::string& name = "hand-made") {
    test::write_file(dir.file("fuzz.are"), text);
    watch_case(name);
    const bool loaded = load_and_save(text, name);
    alarm(0);
    (loaded ? loaded_count : refused_count)++;
    return loaded;
  }

  // Cuts and mutated copies of one source.
  void fuzz_source(const std::string& name, const std::string& source, uint32_t seed) {
    ASSERT_FALSE(source.empty()) << name;
    ASSERT_TRUE(survives(source, name)) << name << " must load unchanged";
    for (size_t cut = 0; cut < source.size(); cut += source.size() / kCutsPerSource + 1)
      survives(source.substr(0, cut), name + " cut at " + std::to_string(cut));
    std::mt19937 random(seed);
    const int cases = mutations_per_source();
    for (int i = 0; i < cases; ++i)
      survives(mutate(source, random),
               name + " mutation " + std::to_string(i) + " (seed " + std::to_string(seed) + ")");
    // The edits break most copies and leave some readable: a reader that accepted or rejected
    // everything would show here.
    EXPECT_GT(refused_count, cases / 4) << name;
    EXPECT_GT(loaded_count, 1) << name;
  }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world;
  int loaded_count = 0, refused_count = 0;

 private:
  bool load_and_save(const std::string& text, const std::string& name) {
    try {
      TArea area(world->Areas.get());
      try {
        area.load_area(dir.file("fuzz.are"));
      } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("load_area \""), std::string::npos) << name;
        return false;
      }
      try {
        area.save_area(dir.file("saved.are"));
      } catch (const Error&) {
        // A text the readers accept may still hold a value no name stands for (a special function
        // number, say): the save refuses it with a message, which is all that is asked here.
      }
      return true;
    } catch (const std::exception& e) {
      fail(text, name, std::string("an exception other than tavro::Error: ") + e.what());
    } catch (...) {
      fail(text, name, "an exception of an unknown type");
    }
    return false;
  }

  void fail(const std::string& text, const std::string& name, const std::string& what) {
    const fs::path kept =
        fs::temp_directory_path() / ("tavro-fuzz-failure-" + std::to_string(++failures_) + ".are");
    test::write_file(kept.string(), text);
    ADD_FAILURE() << name << ": " << what << "; input kept as " << kept;
  }

  int failures_ = 0;
};

class SampleAreaFuzzTest : public AreaFuzzTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SampleAreaFuzzTest, MutatedAndTruncatedCopiesLoadOrFailWithAMessage) {
  const std::string name = GetParam();
  uint32_t seed = 20261206;
  for (char ch : name)
    seed = seed * 31 + static_cast<unsigned char>(ch);
  fuzz_source(name, test::read_file(kSample + "/mud/area/" + name), seed);
}

INSTANTIATE_TEST_SUITE_P(SampleAreas, SampleAreaFuzzTest,
                         ::testing::Values("town.are", "forest.are", "dungeon.are", "market.are", "mill.are"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           const std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

// A generated area holds every section and record kind in the current layout, many times over.
const bench::TWorldShape kGeneratedShape{2, 30, 99};

TEST_F(AreaFuzzTest, MutatedAndTruncatedGeneratedAreaLoadsOrFailsWithAMessage) {
  fuzz_source("gen0.are", bench::generate_area_text(*world, kGeneratedShape, 0), 2000);
}

TEST_F(AreaFuzzTest, EveryPrefixOfAnAreaLoadsOrFailsWithAMessage) {
  // Cuts at short, even steps: inside every token kind, every section and every record.
  const std::string source = bench::generate_area_text(*world, kGeneratedShape, 1);
  const size_t step = std::max<size_t>(1, source.size() / static_cast<size_t>(mutations_per_source()));
  for (size_t cut = 0; cut < source.size(); cut += step) {
    // Only a cut after the closing "#$" (at most its line feed lost) leaves a whole area.
    if (survives(source.substr(0, cut), "gen1.are cut at " + std::to_string(cut))) {
      EXPECT_GE(cut + 1, source.size()) << "a cut at " << cut << " loaded";
    }
  }
  EXPECT_TRUE(survives(source, "gen1.are"));
}

TEST_F(AreaFuzzTest, HostileShapesEndInMessages) {
  std::string deep_bars = "#VERSION 1" + std::string(200000, '|') + "\n#$\n";
  EXPECT_FALSE(survives(deep_bars));
  std::string many_terms = "#VERSION 1";
  for (int i = 0; i < 100000; ++i)
    many_terms += "|1";
  EXPECT_TRUE(survives(many_terms + "\n#$\n"));
  EXPECT_FALSE(survives(std::string(100000, '#')));
  EXPECT_FALSE(survives("#HELPS\n" + std::string(50000, '~')));
  EXPECT_FALSE(survives(std::string("#MOBILES\n#1\n") + std::string(100000, '>')));
  EXPECT_FALSE(survives(std::string(1000, '\0') + "#$\n"));
}

std::string repeated(const std::string& piece, size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (size_t i = 0; i < times; ++i)
    text += piece;
  return text;
}

// The paths random edits rarely reach: values that have no name and that the writers must still write,
// inputs built to exhaust the stack or the reader's patience, program files that are folders, lie
// outside the programs folder or name themselves.
TEST_F(AreaFuzzTest, HandMadeInputsLoadOrFailWithAMessage) {
  const std::string header = "#AREA x~\n#VERSION 11\n";
  const std::string room = "#ROOMS\n#1\nroom~\ntext\n~\n0 0 1\n";
  const std::string room_end = "S\n#0\n\n#$\n";
  const std::string old_object = "#AREA x~\n#VERSION 4\n#OBJECTS\n#5\nthing~\na:::::~\nlong~\n~\n";
  const std::string old_mobile =
      "#AREA x~\n#VERSION 8\n#MOBILES\n#7\nm~\na:::::~\nl~\nd\n~\n0 0 0 S\n1 2 3 1d1+1 1d1+1\n0 0\n";
  test::write_file(dir.file("sample/mud/mudprogs/self.prg"), "> in_file_prog self.prg~\n|\n");

  // Loaded, and saved although their values have no names.
  EXPECT_TRUE(
      survives(old_mobile + "-2147483648 2147483647 77\n#0\n\n#$\n", "sex and positions without names"));
  EXPECT_TRUE(
      survives(old_object + "9999 0 0 0\n0 0 0 0\n1 0 0 0\n\n#0\n\n#$\n", "item type beyond the list"));
  EXPECT_TRUE(survives(old_object + "-3 0 0 0\n0 0 0 0\n1 0 0 0\n\n#0\n\n#$\n", "negative item type"));
  EXPECT_TRUE(
      survives(old_object + "57 0 0 0\n0 0 0 0 0 0 999\n1 0 0 0\n\n#0\n\n#$\n", "launcher beyond the list"));
  EXPECT_TRUE(survives(header + "#SPELLLIMIT 99999999999999999999\n#ECONOMY -99999999999 4294967296\n#$\n",
                       "numbers beyond 32 bits"));
  EXPECT_TRUE(survives(header + "#MOBILES\n#7\nm~\ns~\nl~\nd\n~\n" + repeated("A&", 100000) +
                           "A 0 0 S\n1 2 3 1d1+1 1d1+1\n0 0\n112 112 MALE\n#0\n\n#$\n",
                       "a bit vector of 100,001 words"));
  EXPECT_TRUE(
      survives(header + room + repeated("D1\n~\n~\n0 -1 1\n", 5000) + room_end, "one slot, 5,000 doors"));
  EXPECT_TRUE(
      survives("#AREA x~\r#VERSION 11\r#ROOMS\r#1\rroom~\rtext\r~\r0 0 1\rS\r#0\r\r#$\r", "CR line ends"));

  // Refused with a message.
  EXPECT_FALSE(survives(header + std::string("#AUTHOR a\0b~\n#$\n", 16), "a NUL ends the text"));
  EXPECT_FALSE(
      survives(header + room + "> in_file_prog .~\n|\n" + room_end, "a program file that is a folder"));
  EXPECT_FALSE(survives(header + room + "> in_file_prog ~\n|\n" + room_end, "a program file without a name"));
  EXPECT_FALSE(
      survives(header + room + "> in_file_prog ../area/area.lst~\n|\n" + room_end, "not a program file"));
  EXPECT_FALSE(
      survives(header + room + "> in_file_prog self.prg~\n|\n" + room_end, "a program file naming itself"));
  EXPECT_FALSE(survives("#", "only a '#'"));
  EXPECT_FALSE(survives("", "nothing"));
}

// Regression cases: the smallest input of each fault the fuzzing above has found. None so far: the
// readers of every section came through the sample, generated and hand-made inputs without a crash,
// a foreign exception or a hang.

}  // namespace
}  // namespace tavro
