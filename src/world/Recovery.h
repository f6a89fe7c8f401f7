#pragma once
// Recovery files: what the autosave writes for every area with unsaved changes, so that the work survives
// a crash, a killed process or a power cut. A recovery file is the area's text exactly as a save would
// write it, followed by a short record of where it belongs (the manifest) and a check sum:
//
//   <the area text, ending with "#$" and a line break>
//   #TAVRO-RECOVERY 1
//   File midgaard.are        the area's file name (empty for an area never saved)
//   New 0                    1: the area was never saved (it joins the areas list when it is)
//   Saved 1714567890         when the autosave wrote it, seconds since 1970 (UTC)
//   AreaSize 48211           the area file at that moment: its size (-1: there was none)
//   AreaTime 17145...        and its time of last change, in the file system's own ticks
//   Length 48977             the bytes of the area text
//   Check 0123456789abcdef   FNV-1a (64 bits) of everything before this line
//   #END
//
// The reader of area files stops at "#$", so the file is also an area file that a builder can copy back
// by hand. A file that does not end with "#END", or whose check sum differs, is refused with a message
// saying so; such a file is kept, never removed by the editor. Nothing here knows about windows.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavro {

class TArea;
class TIniFile;

// A file's size and time of last change, to tell whether someone changed it.
struct TFileStamp {
  int64_t Size = -1;  // -1: there is no such file
  int64_t Time = 0;   // the file system's time of the last change, in its own ticks
  bool operator==(const TFileStamp&) const = default;
};
// The stamp of the file at path (found without regard to letter case when the exact name is missing).
TFileStamp file_stamp(const std::string& path);

struct TRecoveryManifest {
  std::string AreaFile;  // the area's file name; empty for an area never saved under a name
  bool IsNew = false;    // the area was never saved: it is not in the areas list
  int64_t SavedAt = 0;   // seconds since 1970-01-01 00:00 UTC
  TFileStamp AreaStamp;  // the area's file when the autosave wrote the recovery file
  bool operator==(const TRecoveryManifest&) const = default;
};

inline constexpr int32_t kRecoveryFormat = 1;

// The folder of one world's recovery files inside the user's recovery folder: the last folder name of the
// server root (letters, digits, '.', '_' and '-' kept, others made '_') and a hash of the whole root, so
// that two worlds never share a folder and a builder can still tell them apart: "mud-0123456789abcdef".
std::string recovery_folder_name(std::string_view world_root);

// The recovery file of an area: "area-" and the area's file name, or "new-" and a number for an area
// without a file name; ".rec" after either. The two kinds never share a name. When the name is among
// taken (a kept file that could not be read), a number is added before ".rec": "area-x.are-2.rec".
std::string recovery_file_name(std::string_view area_file, int32_t new_number,
                               const std::vector<std::string>& taken = {});
// True for the names recovery_file_name gives (the files a start-up looks at).
bool is_recovery_file_name(std::string_view name);

// The whole text of a recovery file for an area text (as TArea::write_area gives it).
std::string recovery_text(std::string_view area_text, const TRecoveryManifest& manifest);

struct TRecoveryContents {
  TRecoveryManifest Manifest;
  std::string_view AreaText;  // a view into the text parsed
};
// Takes a recovery file's text apart. Throws Error saying what is wrong: cut short, damaged (check sum),
// not a recovery file, or written by a newer editor.
TRecoveryContents parse_recovery_text(std::string_view text);

// The area's text exactly as a save would write it (KOI8-R). The area itself is not touched.
std::string area_text(const TArea& area);
// Writes the recovery file of an area text (recovery_text) to path, atomically: a temporary beside it,
// forced to the disk and renamed over it when all was written. Needs nothing but its arguments, so that it
// may run away from the thread that edits the area. Throws Error.
void write_recovery_text(const std::string& path, std::string_view area_text,
                         const TRecoveryManifest& manifest);
// Both in one: the recovery file of area written to path. Throws Error.
void write_recovery_file(const TArea& area, const std::string& path, const TRecoveryManifest& manifest);
// Reads a recovery file into area (a fresh area of the world the file belongs to): its sections, and the
// file name of the manifest as the header's file name. Returns the manifest. Throws Error, whose message
// starts with "Recovery file", the quoted path, ':' and CR LF.
TRecoveryManifest read_recovery_file(const std::string& path, TArea& area);

// The editor's own safety settings, section "Editor" of TavroEd.ini.
struct TEditorSafety {
  int32_t AutoSaveSeconds = 30;  // "AutoSaveSeconds": after the last change; 0 turns the autosave off
  int32_t BackupCount = 5;       // "BackupCount": backups kept per area; 0 turns the backups off
};
// A value that is not a whole number of zero or more gives the default; large values are bounded (a day
// of seconds, a thousand backups).
TEditorSafety read_editor_safety(const TIniFile& ini);

}  // namespace tavro
