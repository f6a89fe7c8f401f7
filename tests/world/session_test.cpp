// The session kept in TavroEd.ini: window lines written and read back, a section never written is no
// session, and the lines of windows no longer open are emptied.
#include <gtest/gtest.h>

#include "support/Scratch.h"
#include "world/IniFile.h"
#include "world/Session.h"

namespace tavro {
namespace {

TEST(SessionWindows, WrittenAndReadBack) {
  struct Case {
    TSessionWindow window;
    const char* text;
  };
  const Case cases[] = {
      {{"midgaard.are", 0, 0, 10, 3001}, "0,0,10,3001,midgaard.are"},
      {{"school.are", 3, -2, 1280, 0}, "3,-2,1280,0,school.are"},
      {{"a,b c.are", 5, 1, 5, -7}, "5,1,5,-7,a,b c.are"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(format_session_window(c.window), c.text);
    EXPECT_EQ(parse_session_window(c.text), c.window);
  }
  for (const char* bad :
       {"", "0,0,10,3001,", "0,0,10,midgaard.are", "x,0,10,1,a.are", "0,0,10,1 ,a.are", "0;0;10;1;a.are"})
    EXPECT_FALSE(parse_session_window(bad).has_value()) << bad;
}

TEST(Sessions, NoneUntilOneIsWritten) {
  test::ScratchDir dir;
  const std::string path = dir.file("TavroEd.ini");
  EXPECT_FALSE(read_session(TIniFile(path)).has_value());
  test::write_file(path, "[Session]\r\nWorld=/srv/mud/\r\n");
  EXPECT_FALSE(read_session(TIniFile(path)).has_value());
  test::write_file(path, "[Session]\r\nWindows=0\r\n");
  const auto empty = read_session(TIniFile(path));
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->Windows.empty());
  EXPECT_EQ(empty->Active, -1);
}

TEST(Sessions, WrittenBesideTheOtherSettingsAndReadBack) {
  test::ScratchDir dir;
  const std::string path = dir.file("TavroEd.ini");
  test::write_file(path, "; mine\r\n[Files]\r\nPath=files\r\n");
  TSession three{"/srv/mud/", {{"a.are", 0, 0, 10, 1}, {"b.are", 3, 1, 20, 0}, {"c.are", 1, 0, 10, 5}}, 1};
  TIniFile ini(path);
  EXPECT_TRUE(write_session(ini, three));
  EXPECT_EQ(read_session(TIniFile(path)), three);
  EXPECT_EQ(test::read_file(path).rfind("; mine\r\n[Files]\r\nPath=files\r\n\r\n[Session]\r\n", 0), 0u);

  TSession one{"/srv/mud/", {{"c.are", 1, 0, 10, 5}}, 0};
  TIniFile again(path);
  EXPECT_TRUE(write_session(again, one));
  EXPECT_EQ(read_session(TIniFile(path)), one);
  // The lines of the windows that are gone are emptied, not left to be read as open.
  EXPECT_EQ(TIniFile(path).ReadString("Session", "Window3", "?"), "");
  EXPECT_EQ(TIniFile(path).ReadString("Session", "Active", "?"), "1");

  TSession none{"/srv/mud/", {}, -1};
  TIniFile last(path);
  EXPECT_TRUE(write_session(last, none));
  EXPECT_EQ(read_session(TIniFile(path)), none);
}

TEST(Sessions, ABrokenWindowLineIsLeftOut) {
  test::ScratchDir dir;
  const std::string path = dir.file("TavroEd.ini");
  test::write_file(path,
                   "[Session]\r\nWindows=3\r\nActive=3\r\nWindow1=0,0,10,1,a.are\r\nWindow2=garbage\r\n"
                   "Window3=2,0,10,0,c.are\r\n");
  const auto session = read_session(TIniFile(path));
  ASSERT_TRUE(session.has_value());
  ASSERT_EQ(session->Windows.size(), 2u);
  EXPECT_EQ(session->Windows[1].AreaFile, "c.are");
  EXPECT_EQ(session->Active, 1);
}

}  // namespace
}  // namespace tavro
