// Mutated and truncated copies of the sample areas: every one ends in a loaded area or an Error.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "area/AreaTestSupport.h"
#include "world/Areas.h"

namespace tavro {
namespace {

const std::string kSample = TAVRO_SAMPLE_DIR;

// Bytes that steer the grammar: section marks, terminators, signs, separators, flag letters.
const std::string kSyntax = "#~|>$0123456789-+&:;*' \"\n\rSMOPGDERCabcAZ\x80\xC1\xFF";

std::string mutate(std::string text, std::mt19937& random) {
  auto pick = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random); };
  int edits = static_cast<int>(pick(6)) + 1;
  for (int i = 0; i < edits && !text.empty(); ++i) {
    size_t at = pick(text.size());
    switch (pick(6)) {
      case 0:
        text[at] = kSyntax[pick(kSyntax.size())];
        break;  // replace
      case 1:
        text.insert(at, 1, kSyntax[pick(kSyntax.size())]);
        break;  // insert
      case 2:
        text.erase(at, pick(40) + 1);
        break;  // delete a run
      case 3:
        text.insert(at, text.substr(pick(text.size()), pick(200) + 1));
        break;  // duplicate a run
      case 4:
        text[at] = static_cast<char>(pick(256));
        break;  // any byte
      default:
        text.resize(at);
        break;  // truncate
    }
  }
  return text;
}

class AreaFuzzTest : public ::testing::Test {
 protected:
  // The world remembers its server root in the settings file: it is built on a copy of the sample.
  void SetUp() override {
    std::filesystem::copy(kSample, dir.file("sample"), std::filesystem::copy_options::recursive);
    world = std::make_unique<TWorld>(dir.file("sample"), dir.file("sample/mud"));
  }

  // Loads text as an area; a loaded area must also save. Returns true when it loaded.
  bool survives(const std::string& text) {
    test::write_file(dir.file("fuzz.are"), text);
    TArea area(world->Areas.get());
    try {
      area.load_area(dir.file("fuzz.are"));
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("load_area \""), std::string::npos);
      return false;
    }
    try {
      area.save_area(dir.file("saved.are"));
    } catch (const Error&) {
      // A text the readers accept may still hold a value no name stands for (a special function
      // number, say): the save refuses it with a message, which is all that is asked here.
    }
    return true;
  }

  test::ScratchDir dir;
  std::unique_ptr<TWorld> world;
};

TEST_F(AreaFuzzTest, MutatedAndTruncatedSampleAreasLoadOrFailWithAMessage) {
  const auto started = std::chrono::steady_clock::now();
  std::mt19937 random(20261206);
  int loaded = 0, failed = 0;
  for (const char* name : {"town.are", "forest.are", "dungeon.are", "market.are", "mill.are"}) {
    const std::string original = test::read_file(kSample + "/mud/area/" + name);
    ASSERT_FALSE(original.empty()) << name;
    ASSERT_TRUE(survives(original)) << name << " must load unchanged";
    for (size_t cut = 0; cut < original.size(); cut += original.size() / 40 + 1)
      (survives(original.substr(0, cut)) ? loaded : failed)++;
    for (int i = 0; i < 360; ++i)
      (survives(mutate(original, random)) ? loaded : failed)++;
  }
  EXPECT_GT(failed, 800);
  EXPECT_GT(loaded, 0);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  RecordProperty("cases", loaded + failed);
  RecordProperty("loaded", loaded);
  RecordProperty("seconds", std::to_string(seconds));
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

}  // namespace
}  // namespace tavro
