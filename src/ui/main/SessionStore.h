#pragma once
// The session comes back: the area windows open at a clean exit are stored in TavroEd.ini ("Session",
// world/Session.h) with their page, map level, zoom and selected room, and opened again after the next
// start has loaded the same world.
#include <vector>

namespace tavro {
class TArea;
}

namespace tavro::ui {

class TMainForm;

// True when the start folder's settings hold a session (of any world): a start without one is the first.
bool HasSession(const TMainForm& form);
// Stores the open area windows of the main window's world (windows of areas never saved are left out).
void StoreSession(const TMainForm& form);
// Opens the windows of the stored session that belong to the loaded world, as they were, then the windows
// of the areas recovery brought back; the window that was active comes forward.
void RestoreSession(TMainForm& form, const std::vector<TArea*>& recovered = {});

}  // namespace tavro::ui
