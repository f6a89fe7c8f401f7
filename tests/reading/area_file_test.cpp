#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "reading/AreaFile.h"
#include "reading/Cp1251.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;

// A scratch folder of its own for each test, removed afterwards.
class AreaFileDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() /
        ("tavro_area_file_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string contents(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  size_t entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }

  fs::path dir_;
};

std::string loaded(std::string_view text) {
  TAreaFile f;
  f.load_text(text);
  return f.Buffer;
}

TEST(AreaFileText, LinesAreRejoinedWithCrLfAfterEveryLine) {
  EXPECT_EQ(loaded("a\nb"), "a\r\nb\r\n");
  EXPECT_EQ(loaded("a\r\nb\r\n"), "a\r\nb\r\n");
  EXPECT_EQ(loaded("a\rb\r"), "a\r\nb\r\n");
  EXPECT_EQ(loaded("a\r\r\nb"), "a\r\n\r\nb\r\n");
  EXPECT_EQ(loaded("\n\n"), "\r\n\r\n");
  EXPECT_EQ(loaded(""), "");
}

TEST(AreaFileText, ReadingStopsAtTheFirstNul) {
  EXPECT_EQ(loaded(std::string("ab\0cd\n", 6)), "ab\r\n");
  EXPECT_EQ(loaded(std::string("ab\n\0cd\n", 7)), "ab\r\n");
  TAreaFile f;
  f.load_text(std::string("\0x", 2));
  EXPECT_EQ(f.Length, 0);
  EXPECT_TRUE(f.at_eof());
}

TEST(AreaFileText, LoadingSetsLengthAndStartsAtTheFirstCharacter) {
  TAreaFile f;
  f.load_text("xy");
  EXPECT_EQ(f.Length, 4);
  EXPECT_EQ(f.Position, 1);
  EXPECT_EQ(f.getc(), 'x');
  EXPECT_EQ(f.getc(), 'y');
  EXPECT_EQ(f.getc(), '\r');
  EXPECT_EQ(f.getc(), '\n');
  EXPECT_TRUE(f.at_eof());
  try {
    f.getc();
    FAIL() << "getc read past the end";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "getc: EOF encountered on read.");
  }
  f.ungetc();
  EXPECT_EQ(f.getc(), '\n');
}

TEST(AreaFileText, StepingBackBeforeTheFirstCharacterIsAnError) {
  TAreaFile f;
  f.load_text("abc");
  try {
    f.ungetc();
    FAIL() << "ungetc stepped back before the start";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "ungetc: BOF encountered on unread.");
  }
  EXPECT_EQ(f.getc(), 'a');
}

TEST(AreaFileText, WhitespaceIsNulTabLfCrAndSpaceOnly) {
  for (char ch : {'\0', '\t', '\n', '\r', ' '})
    EXPECT_TRUE(is_space(ch)) << int(ch);
  for (char ch : {'\v', '\f', 'a', '~', '\xA0'})
    EXPECT_FALSE(is_space(ch)) << int(ch);
  EXPECT_TRUE(is_digit('0') && is_digit('9'));
  EXPECT_FALSE(is_digit('a') || is_digit('/') || is_digit(':'));
}

TEST(AreaFileText, WritingDropsCrAndTranslatesToKoi8) {
  TAreaFile f;
  f.clear();
  fwrite_string(f, w("Меч\r\nзакалённый"));
  fwrite_eol(f);
  fwrite_number(f, -42);
  fwrite_text(f, " ");
  fwrite_flag(f, 0);
  fwrite_text(f, " ");
  fwrite_flag(f, (1u << 31) | 1u);
  fwrite_text(f, " ");
  TBitVector v;
  v.set(40);
  fwrite_bitvector(f, v);
  const std::string expected = cp1251_to_koi8(w("Меч\nзакалённый~\n-42 0 Af 0&I"));
  EXPECT_EQ(f.Buffer, expected);
  EXPECT_EQ(f.Length, static_cast<int32_t>(expected.size()));
  EXPECT_EQ(f.Position, f.Length);
}

TEST(AreaFileText, TextUtilities) {
  EXPECT_EQ(strip_trailing_newlines("ab\n\n\n"), "ab");
  EXPECT_EQ(strip_trailing_newlines("ab\r\n"), "ab\r");
  EXPECT_EQ(strip_trailing_newlines("\n"), "");
  EXPECT_EQ(remove_cr("a\r\nb\rc"), "a\nbc");
  EXPECT_EQ(lf_to_crlf("a\nb\r\nc\r"), "a\r\nb\r\nc");
  EXPECT_EQ(lf_to_crlf("\n"), "\r\n");
}

TEST_F(AreaFileDisk, LfAndCrLfFilesReadTheSame) {
  write("lf.are", "#AREA\nName~\n12 AB\n");
  write("crlf.are", "#AREA\r\nName~\r\n12 AB\r\n");
  TAreaFile lf, crlf;
  lf.load_file(path("lf.are"));
  crlf.load_file(path("crlf.are"));
  EXPECT_EQ(lf.Buffer, crlf.Buffer);
  EXPECT_EQ(lf.Length, crlf.Length);
  EXPECT_EQ(fread_word(lf), "#AREA");
  EXPECT_EQ(fread_string(lf), "Name");
  EXPECT_EQ(fread_number(lf), 12);
  EXPECT_EQ(fread_flag(lf), 3u);
}

TEST_F(AreaFileDisk, Koi8CyrillicSurvivesAReadAndAWrite) {
  std::string koi8;
  for (int b = 0xC0; b <= 0xFF; ++b)
    koi8 += static_cast<char>(b);
  koi8 += "\xA3\xB3\x9A\x9C\x9E~\n";
  write("in.are", koi8);
  TAreaFile in;
  in.load_file(path("in.are"));
  std::string text = fread_string(in);
  EXPECT_EQ(text.substr(0, 3), w("юаб"));
  EXPECT_EQ(text.substr(32, 3), w("ЮАБ"));
  TAreaFile out;
  out.clear();
  fwrite_string(out, text);
  fwrite_eol(out);
  out.save_file(path("out.are"));
  EXPECT_EQ(contents("out.are"), koi8);
}

TEST_F(AreaFileDisk, BoxDrawingComesBackAsItsLookAlike) {
  // 0x80 reads as '-', 0xA4 as the letter ghe, 0x95 as the bullet: written back as '-', as the
  // letter's own code 0xC7, and as 0x95.
  write("box.are", "\x80\xA4\x95\xBF~\n");
  TAreaFile in;
  in.load_file(path("box.are"));
  std::string text = fread_string(in);
  EXPECT_EQ(text, "-\xE3\x95\xB9");
  TAreaFile out;
  out.clear();
  fwrite_string(out, text);
  out.save_file(path("out.are"));
  EXPECT_EQ(contents("out.are"), "-\xC7\x95\xBF~");
}

TEST_F(AreaFileDisk, UngetcRightAfterLoadingIsAnError) {
  write("a.are", "#AREA\n");
  TAreaFile f;
  f.load_file(path("a.are"));
  EXPECT_EQ(f.Position, 1);
  try {
    f.ungetc();
    FAIL() << "ungetc stepped back before the start";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "ungetc: BOF encountered on unread.");
  }
}

TEST_F(AreaFileDisk, FileReadingStopsAtTheFirstNul) {
  write("nul.are", std::string("one\ntwo\0three\n", 15));
  TAreaFile f;
  f.load_file(path("nul.are"));
  EXPECT_EQ(f.Buffer, "one\r\ntwo\r\n");
}

TEST_F(AreaFileDisk, FileOfAnotherLetterCaseIsFound) {
  write("Town.are", "x\n");
  TAreaFile f;
  f.load_file(path("town.ARE"));
  EXPECT_EQ(f.Buffer, "x\r\n");
}

TEST_F(AreaFileDisk, MissingFileNamesThePathAndTheReason) {
  TAreaFile f;
  try {
    f.load_file(path("nowhere.are"));
    FAIL() << "a missing file loaded";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot open file \"" + path("nowhere.are") + "\": No such file or directory");
  }
}

TEST_F(AreaFileDisk, SaveReplacesTheFileAndLeavesNoTemporary) {
  write("a.are", "old contents\n");
  TAreaFile f;
  f.clear();
  fwrite_text(f, "new\r\n");
  f.save_file(path("a.are"));
  EXPECT_EQ(contents("a.are"), "new\n");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(AreaFileDisk, SaveIntoAMissingFolderFailsWithTheReason) {
  TAreaFile f;
  f.clear();
  fwrite_text(f, "x");
  const std::string target = path("missing/a.are");
  try {
    f.save_file(target);
    FAIL() << "saved into a missing folder";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + target + "\": No such file or directory");
  }
}

TEST_F(AreaFileDisk, FailedReplaceLeavesTheOldTargetAndNoTemporary) {
  // A folder in the target's place cannot be replaced by a file: the rename fails after the whole
  // text was written to the temporary.
  fs::create_directories(dir_ / "a.are" / "inside");
  TAreaFile f;
  f.clear();
  fwrite_text(f, "new");
  try {
    f.save_file(path("a.are"));
    FAIL() << "a file replaced a folder";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + path("a.are") + "\": Is a directory");
  }
  EXPECT_TRUE(fs::is_directory(dir_ / "a.are" / "inside"));
  EXPECT_EQ(entries(), 1u);
}

TEST_F(AreaFileDisk, SaveIntoAReadOnlyFolderLeavesTheOldFile) {
  write("a.are", "old\n");
  fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  if (std::ofstream(dir_ / "probe")) GTEST_SKIP() << "this user may write into read-only folders";
  TAreaFile f;
  f.clear();
  fwrite_text(f, "new");
  try {
    f.save_file(path("a.are"));
    FAIL() << "saved into a read-only folder";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + path("a.are") + "\": Permission denied");
  }
  EXPECT_EQ(contents("a.are"), "old\n");
}

TEST_F(AreaFileDisk, SaveKeepsTheTargetsPermissions) {
  write("a.are", "old\n");
  fs::permissions(path("a.are"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  TAreaFile f;
  f.clear();
  fwrite_text(f, "new");
  f.save_file(path("a.are"));
  EXPECT_EQ(fs::status(path("a.are")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(AreaFileDisk, SaveGoesToTheExistingFileOfAnotherLetterCase) {
  write("Town.are", "old\n");
  TAreaFile f;
  f.clear();
  fwrite_text(f, "new");
  f.save_file(path("town.are"));
  EXPECT_EQ(contents("Town.are"), "new");
  EXPECT_EQ(entries(), 1u);
}

}  // namespace
}  // namespace tavro

namespace tavro {
namespace {

std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Golden file: every kind of token and line end read from a KOI8-R file and written back.
TEST(AreaFileGolden, TokensReadAndWrittenBack) {
  const std::string dir = std::string(TAVRO_TEST_DATA_DIR) + "/reading/";
  TAreaFile in;
  in.load_file(dir + "tokens_in.are");
  TAreaFile out;
  out.clear();
  fwrite_text(out, fread_word(in) + " ");
  fwrite_string(out, fread_string(in));
  fwrite_eol(out);
  EXPECT_EQ(fread_letter(in), '*');
  fread_to_eol(in);
  fwrite_number(out, fread_number(in));
  fwrite_text(out, " ");
  fwrite_number(out, fread_number(in));
  fwrite_text(out, " ");
  fwrite_number(out, fread_flag(in));
  fwrite_text(out, " ");
  fwrite_number(out, static_cast<int32_t>(fread_flag(in)));
  fwrite_text(out, " ");
  fwrite_bitvector(out, fread_bitvector(in));
  fwrite_eol(out);
  const std::string quoted = fread_word(in);
  fwrite_text(out, quoted + "|" + fread_word(in));
  fwrite_eol(out);
  fwrite_string(out, fread_string(in));
  fwrite_eol(out);
  fwrite_string(out, fread_string(in));
  fwrite_eol(out);
  fread_to_eol(in);
  EXPECT_EQ(in.getc(), '\r');
  EXPECT_EQ(in.getc(), '\n');
  EXPECT_TRUE(in.at_eof());
  EXPECT_EQ(out.Buffer, file_bytes(dir + "tokens_out.are"));
}

}  // namespace
}  // namespace tavro
