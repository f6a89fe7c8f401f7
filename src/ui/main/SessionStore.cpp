#include "ui/main/SessionStore.h"

#include <QFile>
#include <QTimer>
#include <algorithm>

#include "area/Area.h"
#include "area/Header.h"
#include "area/MapEditing.h"
#include "area/Rooms.h"
#include "reading/Paths.h"
#include "ui/main/AreaManageForm.h"
#include "ui/main/AutoSave.h"
#include "ui/main/MDIChild.h"
#include "ui/main/MainForm.h"
#include "ui/main/MapWidget.h"
#include "world/Areas.h"
#include "world/IniFile.h"
#include "world/Session.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

std::string settings_path(const TMainForm& form) {
  return join_path(QFile::encodeName(form.StartDir).toStdString(), "TavroEd.ini");
}

std::string world_key(const TMainForm& form) {
  return QFile::encodeName(world_root_path(*form.World())).toStdString();
}

char lower_ascii(char ch) {
  return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

TArea* loaded_area(const TWorld& world, const std::string& file_name) {
  for (const auto& area : world.Areas->Items) {
    const std::string& name = area->Header->FileName;
    if (name.size() == file_name.size() &&
        std::equal(name.begin(), name.end(), file_name.begin(),
                   [](char a, char b) { return lower_ascii(a) == lower_ascii(b); }))
      return area.get();
  }
  return nullptr;
}

TSessionWindow window_state(const TMDIChild& child) {
  TSessionWindow window;
  window.AreaFile = child.Area->Header->FileName;
  const auto* manage = qobject_cast<const TAreaManageForm*>(&child);
  if (!manage) return window;
  const TMapWidget* map = manage->Map();
  window.Page = manage->AreaPages->currentIndex();
  window.Level = map->MapLevel;
  window.Zoom = map->Zoom;
  const auto& rooms = child.Area->Rooms->Items;
  if (map->SelectedRoom >= 0 && size_t(map->SelectedRoom) < rooms.size())
    window.Vnum = rooms[size_t(map->SelectedRoom)]->Vnum;
  return window;
}

void restore_state(TMDIChild& child, const TSessionWindow& window) {
  auto* manage = qobject_cast<TAreaManageForm*>(&child);
  if (!manage) {
    child.ShowPage(window.Page);
    return;
  }
  TMapWidget* map = manage->Map();
  const auto& rooms = child.Area->Rooms->Items;
  const auto room = std::find_if(rooms.begin(), rooms.end(),
                                 [&](const auto& r) { return window.Vnum != 0 && r->Vnum == window.Vnum; });
  map->Zoom = std::clamp(window.Zoom, kMinZoom, kMaxZoom);
  if (room != rooms.end()) {
    const auto index = static_cast<int32_t>(room - rooms.begin());
    map->SelectRoom(index);
    manage->ShowRoomInEditor(index);
  }
  map->MapLevel = window.Level;
  manage->ShowPage(window.Page);
  map->RefreshView();
  map->paint_box()->update();
  // The map scrolls its selection into view once the window has its final size.
  QTimer::singleShot(0, map, [map] { map->RefreshView(); });
}

}  // namespace

bool HasSession(const TMainForm& form) {
  return read_session(TIniFile(settings_path(form))).has_value();
}

void StoreSession(const TMainForm& form) {
  if (!form.World()) return;
  TSession session;
  session.World = world_key(form);
  const TMDIChild* active = form.ActiveAreaWindow();
  for (const TMDIChild* child : form.AreaWindows()) {
    if (!child->Area || child->Area->Header->FileName.empty()) continue;
    if (child == active) session.Active = static_cast<int32_t>(session.Windows.size());
    session.Windows.push_back(window_state(*child));
  }
  TIniFile ini(settings_path(form));
  write_session(ini, session);
}

void RestoreSession(TMainForm& form, const std::vector<TArea*>& recovered) {
  if (!form.World()) return;
  TMDIChild* active = nullptr;
  const auto session = read_session(TIniFile(settings_path(form)));
  if (session && session->World == world_key(form)) {
    for (size_t i = 0; i < session->Windows.size(); ++i) {
      const TSessionWindow& window = session->Windows[i];
      TArea* area = loaded_area(*form.World(), window.AreaFile);
      if (!area || form.find_area_window(area)) continue;
      TMDIChild* child = form.open_area_window(area);
      if (!child) continue;
      restore_state(*child, window);
      if (int32_t(i) == session->Active) active = child;
    }
  }
  for (TArea* area : recovered)
    if (!form.find_area_window(area)) form.open_area_window(area);
  if (active) form.open_area_window(active->Area);
}

}  // namespace tavro::ui
