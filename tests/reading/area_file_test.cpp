#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "reading/AreaFile.h"
#include "reading/Cp1251.h"
#include "support/ErrorOf.h"
#include "support/Scratch.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;
using test::error_of;
using test::read_file;
using test::write_file;

// A scratch folder of its own for each test.
class AreaFileDisk : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return dir.file(name); }
  std::string contents(const std::string& name) const { return read_file(path(name)); }
  size_t entries() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir.path()), {}));
  }
  TAreaFile load(const std::string& name) const {
    TAreaFile f;
    f.load_file(path(name));
    return f;
  }
  // Saves text (as the writers hold it) under name; gives the error message, "" when it saved.
  std::string save(const std::string& name, const std::string& text) const {
    return save_to(path(name), text);
  }
  static std::string save_to(const std::string& target, const std::string& text) {
    TAreaFile f;
    f.clear();
    fwrite_text(f, text);
    try {
      f.save_file(target);
    } catch (const Error& e) {
      return e.what();
    }
    return "";
  }

  test::ScratchDir dir;
};

std::string loaded(std::string_view text) {
  TAreaFile f;
  f.load_text(text);
  return f.Buffer;
}

TEST(AreaFileText, LinesAreRejoinedWithCrLfUpToTheFirstNul) {
  const std::pair<std::string, std::string> cases[] = {{"a\nb", "a\r\nb\r\n"},
                                                       {"a\r\nb\r\n", "a\r\nb\r\n"},
                                                       {"a\rb\r", "a\r\nb\r\n"},
                                                       {"a\r\r\nb", "a\r\n\r\nb\r\n"},
                                                       {"\n\n", "\r\n\r\n"},
                                                       {"", ""},
                                                       {std::string("ab\0cd\n", 6), "ab\r\n"},
                                                       {std::string("ab\n\0cd\n", 7), "ab\r\n"}};
  for (const auto& [text, buffer] : cases)
    EXPECT_EQ(loaded(text), buffer) << text;
  TAreaFile f;
  f.load_text(std::string("\0x", 2));
  EXPECT_EQ(f.Length, 0);
  EXPECT_TRUE(f.at_eof());
}

TEST(AreaFileText, LoadingSetsLengthAndStartsAtTheFirstCharacter) {
  TAreaFile f;
  f.load_text("xy");
  EXPECT_EQ(std::tie(f.Length, f.Position), std::make_tuple(4, 1));
  // Stepping back before the first character is an error.
  EXPECT_EQ(error_of([&] { f.ungetc(); }), "ungetc: BOF encountered on unread.");
  for (char expected : {'x', 'y', '\r', '\n'})
    EXPECT_EQ(f.getc(), expected);
  EXPECT_TRUE(f.at_eof());
  EXPECT_EQ(error_of([&] { f.getc(); }), "getc: EOF encountered on read.");
  f.ungetc();
  EXPECT_EQ(f.getc(), '\n');
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
  EXPECT_EQ(std::tie(f.Length, f.Position),
            std::make_tuple(int32_t(expected.size()), int32_t(expected.size())));
}

TEST(AreaFileText, TextUtilities) {
  EXPECT_EQ(strip_trailing_newlines("ab\n\n\n"), "ab");
  EXPECT_EQ(strip_trailing_newlines("ab\r\n"), "ab\r");
  EXPECT_EQ(strip_trailing_newlines("\n"), "");
  EXPECT_EQ(remove_cr("a\r\nb\rc"), "a\nbc");
  EXPECT_EQ(lf_to_crlf("a\nb\r\nc\r"), "a\r\nb\r\nc");
  EXPECT_EQ(lf_to_crlf("\n"), "\r\n");
}

TEST_F(AreaFileDisk, Koi8CyrillicSurvivesAReadAndAWrite) {
  std::string koi8;
  for (int b = 0xC0; b <= 0xFF; ++b)
    koi8 += static_cast<char>(b);
  koi8 += "\xA3\xB3\x9A\x9C\x9E~\n";
  write_file(path("in.are"), koi8);
  TAreaFile in = load("in.are");
  std::string text = fread_string(in);
  EXPECT_EQ(text.substr(0, 3), w("юаб"));
  EXPECT_EQ(text.substr(32, 3), w("ЮАБ"));
  EXPECT_EQ(save("out.are", text + "~\n"), "");
  EXPECT_EQ(contents("out.are"), koi8);
}

TEST_F(AreaFileDisk, BoxDrawingComesBackAsItsLookAlike) {
  // 0x80 reads as '-', 0xA4 as the letter ghe, 0x95 as the bullet: written back as '-', as the
  // letter's own code 0xC7, and as 0x95.
  write_file(path("box.are"), "\x80\xA4\x95\xBF~\n");
  TAreaFile in = load("box.are");
  std::string text = fread_string(in);
  EXPECT_EQ(text, "-\xE3\x95\xB9");
  EXPECT_EQ(save("out.are", text + "~"), "");
  EXPECT_EQ(contents("out.are"), "-\xC7\x95\xBF~");
}

TEST_F(AreaFileDisk, FileOfAnotherLetterCaseIsFoundAndSavedOver) {
  write_file(path("Town.are"), "x\n");
  EXPECT_EQ(load("town.ARE").Buffer, "x\r\n");
  EXPECT_EQ(save("town.are", "new"), "");
  EXPECT_EQ(contents("Town.are"), "new");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(AreaFileDisk, MissingFileNamesThePathAndTheReason) {
  EXPECT_EQ(error_of([&] { load("nowhere.are"); }),
            "Cannot open file \"" + path("nowhere.are") + "\": No such file or directory");
}

TEST_F(AreaFileDisk, SaveReplacesTheFileKeepingItsPermissionsAndLeavesNoTemporary) {
  write_file(path("a.are"), "old contents\n");
  const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(path("a.are"), perms);
  EXPECT_EQ(save("a.are", "new\r\n"), "");
  EXPECT_EQ(contents("a.are"), "new\n");
  EXPECT_EQ(entries(), 1u);
  EXPECT_EQ(fs::status(path("a.are")).permissions() & fs::perms::all, perms);
}

TEST_F(AreaFileDisk, FailedSavesSayWhyAndLeaveTheOldTargetAndNoTemporary) {
  EXPECT_EQ(save("missing/a.are", "x"),
            "Cannot write file \"" + path("missing/a.are") + "\": No such file or directory");
  EXPECT_EQ(entries(), 0u);
}

// A rename would put a plain file in the place of a pipe, a device or a folder, and would replace a
// read-only file even for a user who may not write it (root may write anything): each is refused
// before anything is written, and left as it was.
TEST_F(AreaFileDisk, TargetsThatAreNotWritableFilesAreRefusedAndLeftAlone) {
  write_file(path("read-only.are"), "old\n");
  fs::permissions(path("read-only.are"),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  ASSERT_EQ(mkfifo(path("pipe.are").c_str(), 0644), 0);
  fs::create_directories(dir.path() / "folder.are" / "inside");
  // A device of our own when we may make one (root may, and could destroy a system one); a system
  // device otherwise, which only root could replace.
  const std::string device = mknod(path("null.are").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0
                                 ? path("null.are")
                                 : std::string("/dev/null");
  const std::pair<std::string, std::string> cases[] = {{path("read-only.are"), "it is read-only"},
                                                       {path("pipe.are"), "it is a pipe, not a regular file"},
                                                       {path("folder.are"), "it is a folder, not a file"},
                                                       {device, "it is a device, not a regular file"}};
  for (const auto& [target, why] : cases) {
    const fs::file_status before = fs::status(target);
    EXPECT_EQ(save_to(target, "new"), "Cannot write file \"" + target + "\": " + why);
    const fs::file_status after = fs::status(target);
    EXPECT_EQ(std::make_tuple(after.type(), after.permissions()),
              std::make_tuple(before.type(), before.permissions()))
        << target;
    for (const auto& entry : fs::directory_iterator(fs::path(target).parent_path()))
      EXPECT_EQ(entry.path().string().rfind(target + ".tmp", 0), std::string::npos) << entry.path();
  }
  EXPECT_EQ(contents("read-only.are"), "old\n");
}

TEST_F(AreaFileDisk, SaveIntoAReadOnlyFolderLeavesTheOldFile) {
  write_file(path("a.are"), "old\n");
  fs::permissions(dir.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  if (std::ofstream(dir.path() / "probe")) GTEST_SKIP() << "this user may write into read-only folders";
  EXPECT_EQ(save("a.are", "new"), "Cannot write file \"" + path("a.are") + "\": Permission denied");
  EXPECT_EQ(contents("a.are"), "old\n");
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
  for (int i = 0; i < 2; ++i) {
    fwrite_string(out, fread_string(in));
    fwrite_eol(out);
  }
  fread_to_eol(in);
  EXPECT_EQ(in.getc(), '\r');
  EXPECT_EQ(in.getc(), '\n');
  EXPECT_TRUE(in.at_eof());
  EXPECT_EQ(out.Buffer, read_file(dir + "tokens_out.are"));
}

}  // namespace
}  // namespace tavro
