#pragma once
// The editor's session: the area windows open at the last exit, each with its page, map level, zoom and
// selected room, kept in section "Session" of TavroEd.ini:
//
//   [Session]
//   World=/srv/mud/            the server root the windows belong to
//   Windows=2                  how many windows follow (0: none were open)
//   Active=2                   the window that was active, counted from 1 (0: none)
//   Window1=0,0,10,3001,midgaard.are      page, level, zoom, selected room's vnum (0: none), area file
//   Window2=3,-1,20,0,school.are
//
// The file name comes last and takes the rest of the line, so that no character of it needs escaping.
// A section without "Windows" is no session: the editor has never ended a session there.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

class TIniFile;

struct TSessionWindow {
  std::string AreaFile;
  int32_t Page = 0;
  int32_t Level = 0;
  int32_t Zoom = 10;
  int32_t Vnum = 0;  // the selected room; 0: none (no room has vnum 0)
  bool operator==(const TSessionWindow&) const = default;
};

struct TSession {
  std::string World;
  std::vector<TSessionWindow> Windows;  // in the order they were opened
  int32_t Active = -1;                  // position in Windows; -1: none
  bool operator==(const TSession&) const = default;
};

std::string format_session_window(const TSessionWindow& window);
// None for text that is not four whole numbers and a file name, separated by commas.
std::optional<TSessionWindow> parse_session_window(std::string_view text);

// The session kept in the settings, or none when none was ever written. Window lines that do not parse
// are left out (the active window then counts among those kept).
std::optional<TSession> read_session(const TIniFile& ini);
// Writes the session into the settings (the lines of windows beyond the new count are emptied). False
// when the settings file could not be written.
bool write_session(TIniFile& ini, const TSession& session);

}  // namespace tavro
