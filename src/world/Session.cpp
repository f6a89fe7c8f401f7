#include "world/Session.h"

#include <charconv>

#include "world/IniFile.h"

namespace tavro {

namespace {

constexpr std::string_view kSection = "Session";

std::optional<int32_t> whole_number(std::string_view text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::string window_key(size_t number) {
  return "Window" + std::to_string(number);
}

}  // namespace

std::string format_session_window(const TSessionWindow& window) {
  return std::to_string(window.Page) + "," + std::to_string(window.Level) + "," +
         std::to_string(window.Zoom) + "," + std::to_string(window.Vnum) + "," + window.AreaFile;
}

std::optional<TSessionWindow> parse_session_window(std::string_view text) {
  TSessionWindow window;
  int32_t* numbers[] = {&window.Page, &window.Level, &window.Zoom, &window.Vnum};
  for (int32_t* number : numbers) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto value = whole_number(text.substr(0, comma));
    if (!value) return std::nullopt;
    *number = *value;
    text.remove_prefix(comma + 1);
  }
  if (text.empty()) return std::nullopt;
  window.AreaFile = std::string(text);
  return window;
}

std::optional<TSession> read_session(const TIniFile& ini) {
  const auto count = whole_number(ini.ReadString(kSection, "Windows", ""));
  if (!count) return std::nullopt;
  TSession session;
  session.World = ini.ReadString(kSection, "World", "");
  const int32_t active = whole_number(ini.ReadString(kSection, "Active", "0")).value_or(0);
  for (int32_t number = 1; number <= *count && number <= 1000; ++number) {
    const auto window = parse_session_window(ini.ReadString(kSection, window_key(size_t(number)), ""));
    if (!window) continue;
    if (number == active) session.Active = static_cast<int32_t>(session.Windows.size());
    session.Windows.push_back(*window);
  }
  return session;
}

bool write_session(TIniFile& ini, const TSession& session) {
  const int32_t previous = whole_number(ini.ReadString(kSection, "Windows", "")).value_or(0);
  bool written = ini.WriteString(kSection, "World", session.World);
  for (size_t i = 0; i < session.Windows.size(); ++i)
    written =
        ini.WriteString(kSection, window_key(i + 1), format_session_window(session.Windows[i])) && written;
  for (int32_t number = static_cast<int32_t>(session.Windows.size()) + 1;
       number <= previous && number <= 1000; ++number)
    written = ini.WriteString(kSection, window_key(size_t(number)), "") && written;
  written = ini.WriteString(kSection, "Active", std::to_string(session.Active + 1)) && written;
  // The count last: a session cut short by a failed write names only windows written in full.
  written = ini.WriteString(kSection, "Windows", std::to_string(session.Windows.size())) && written;
  return written;
}

}  // namespace tavro
