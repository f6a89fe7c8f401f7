#include "ui/main/MapWidget.h"

#include <QAccessible>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <utility>

#include "area/Area.h"
#include "area/Changes.h"
#include "area/Header.h"
#include "area/MapDrawing.h"
#include "area/MapEditing.h"
#include "area/RoomRemoval.h"
#include "area/Rooms.h"
#include "ui/common/DialogService.h"
#include "ui/common/PainterCanvas.h"
#include "ui/common/TextConversion.h"
#include "world/World.h"

namespace tavro::ui {

namespace {

constexpr std::array<int, TMapWidget::kStatusPanels> kPanelWidths = {50, 50, 70, 80, 200, 150, 150};
constexpr int kInitialZoom = 10;

// The direction a key stands for (the numeric keypad's layout); -1 for any other key.
int32_t direction_of_key(int key, bool keypad) {
  switch (key) {
    case Qt::Key_Up:
      return DIR_NORTH;
    case Qt::Key_Right:
      return DIR_EAST;
    case Qt::Key_Down:
      return DIR_SOUTH;
    case Qt::Key_Left:
      return DIR_WEST;
    case Qt::Key_Plus:
      return keypad ? DIR_UP : -1;
    case Qt::Key_Minus:
      return keypad ? DIR_DOWN : -1;
    case Qt::Key_PageUp:
      return DIR_NORTHEAST;
    case Qt::Key_Home:
      return DIR_NORTHWEST;
    case Qt::Key_PageDown:
      return DIR_SOUTHEAST;
    case Qt::Key_End:
      return DIR_SOUTHWEST;
    default:
      return -1;
  }
}

RemovalAnswer removal_answer(DialogAnswer answer) {
  switch (answer) {
    case DialogAnswer::Yes:
      return RemovalAnswer::Yes;
    case DialogAnswer::No:
      return RemovalAnswer::No;
    default:
      return RemovalAnswer::Cancel;
  }
}

QString area_name(const TArea& area) {
  return area.Header ? from_cp1251(area.Header->Name) : QString();
}

}  // namespace

class TMapWidget::PaintBox : public QWidget {
 public:
  PaintBox(TMapWidget* map, QWidget* parent) : QWidget(parent), map_(map) {
    setObjectName(QStringLiteral("PB"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
  }

 protected:
  // Only what was exposed is painted: a scroll exposes a strip, a click two room squares. The map is
  // drawn into an image of its own first, where the canvas writes rectangles and lines straight into
  // the pixels, and then copied to the screen.
  void paintEvent(QPaintEvent* event) override {
    if (devicePixelRatioF() != 1.0) return paint_map(*this, event->region());
    if (backing_.size() != size()) backing_ = QImage(size(), QImage::Format_RGB32);
    paint_map(backing_, event->region());
    QPainter painter(this);
    for (const QRect& dirty : event->region())
      painter.drawImage(dirty.topLeft(), backing_, dirty);
  }
  void paint_map(QPaintDevice& device, const QRegion& region) {
    QPainter painter(&device);
    painter.setFont(font());
    for (const QRect& dirty : region) {
      painter.setClipRect(dirty);
      map_->PBPaint(painter, dirty);
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    map_->PBMouseDown(event->position().toPoint().x(), event->position().toPoint().y());
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    map_->PBDblClick(event->position().toPoint().x(), event->position().toPoint().y());
  }
  void wheelEvent(QWheelEvent* event) override { map_->PBWheel(event); }
  bool event(QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = map_->ToolTipAt(help->pos().x(), help->pos().y());
    if (tip.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), tip, this);
    return true;
  }

 private:
  TMapWidget* map_;
  QImage backing_;  // the size of the box; only its exposed parts are ever current
};

TMapWidget::TMapWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ImageMovingPanel"));
  PBPanel = new QWidget(this);
  PBPanel->setObjectName(QStringLiteral("PBPanel"));
  PB = new PaintBox(this, PBPanel);
  PB->setAccessibleName(QStringLiteral("Map"));
  auto* panel_layout = new QVBoxLayout(PBPanel);
  panel_layout->setContentsMargins(0, 0, 0, 0);
  panel_layout->addWidget(PB);

  SBH = new QScrollBar(Qt::Horizontal, this);
  SBH->setObjectName(QStringLiteral("SBH"));
  SBV = new QScrollBar(Qt::Vertical, this);
  SBV->setObjectName(QStringLiteral("SBV"));
  for (QScrollBar* bar : {SBH, SBV}) {
    bar->setRange(0, 0);
    bar->setPageStep(0);
    // The map keeps the keyboard: arrow keys scroll the map whatever has the focus.
    bar->setFocusPolicy(Qt::NoFocus);
    connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) { ScrollMap(bar, value); });
  }

  SB = new QStatusBar(this);
  SB->setObjectName(QStringLiteral("SB"));
  SB->setSizeGripEnabled(false);
  for (int i = 0; i < kStatusPanels; ++i) {
    Panels[i] = new QLabel(SB);
    Panels[i]->setFixedWidth(kPanelWidths[i]);
    Panels[i]->setFrameShape(QFrame::Panel);
    Panels[i]->setFrameShadow(QFrame::Sunken);
    if (i < kStatusPanels - 1) Panels[i]->setAlignment(Qt::AlignCenter);
    SB->addWidget(Panels[i]);
  }

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  grid->addWidget(PBPanel, 0, 0);
  grid->addWidget(SBV, 0, 1);
  grid->addWidget(SBH, 1, 0);
  grid->addWidget(SB, 2, 0, 1, 2);
  grid->setRowStretch(0, 1);
  grid->setColumnStretch(0, 1);
  UpdateStatusBar();
}

QWidget* TMapWidget::paint_box() const {
  return PB;
}

QString TMapWidget::status_panel(int panel) const {
  return Panels.at(static_cast<size_t>(panel))->text();
}

void TMapWidget::SetRooms(TAreaRooms* rooms) {
  Rooms = rooms;
  Zoom = kInitialZoom;
  SetSelection(-1);
  MapLevel = 0;
  FineX = FineY = 0;
  Pending = {};
  Layout.Forget();
  if (Rooms) {
    Layout.LayOut(*Rooms);
    Index.Build(*Rooms);
  }
  AreaPagesChange();
  UpdateStatusBar();
  PB->update();
}

int32_t TMapWidget::offset_x() const {
  return SBH->value() * 4 * Zoom + FineX;
}

int32_t TMapWidget::offset_y() const {
  return SBV->value() * 4 * Zoom + FineY;
}

void TMapWidget::SetSelection(int32_t index) {
  SelectedRoom = index;
  SelectedRecord = Selected();
}

TAreaRoom* TMapWidget::Selected() const {
  if (!Rooms || SelectedRoom < 0 || SelectedRoom >= static_cast<int32_t>(Rooms->Items.size())) return nullptr;
  return Rooms->Items[static_cast<size_t>(SelectedRoom)].get();
}

void TMapWidget::PBPaint(QPainter& painter, const QRect& dirty) {
  painter.fillRect(dirty, Qt::white);
  if (!Rooms) return;
  PainterCanvas canvas(painter);
  const Rect visible{dirty.left(), dirty.top(), dirty.right() + 1, dirty.bottom() + 1};
  DrawLevelParams shown;
  shown.level = MapLevel;
  shown.selected = SelectedRoom;
  shown.cell_size = Zoom;
  shown.off_x = offset_x();
  shown.off_y = offset_y();
  shown.visible = &visible;
  shown.index = &Index;
  shown.outside_exits = true;
  shown.labels = true;
  PaintMap(*Rooms, canvas, shown);
}

int32_t TMapWidget::RoomAtPoint(int px, int py) const {
  if (!Rooms) return -1;
  return tavro::RoomAtPoint(Index, MapLevel, Zoom, offset_x(), offset_y(), px, py);
}

QString TMapWidget::DescriptionOf(int32_t index, const QString& separator) const {
  QStringList lines;
  for (const std::string& line : DescribeRoom(*Rooms, index))
    lines << from_cp1251(line);
  return lines.join(separator);
}

QString TMapWidget::ToolTipAt(int px, int py) const {
  const int32_t index = RoomAtPoint(px, py);
  return index < 0 ? QString() : DescriptionOf(index, QStringLiteral("\n"));
}

// The wheel scrolls three cells a notch (sideways with Shift); with Ctrl it zooms about the pointer.
void TMapWidget::PBWheel(QWheelEvent* event) {
  const QPoint angle = event->angleDelta();
  const int delta = angle.y() != 0 ? angle.y() : angle.x();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  event->accept();
  if (modifiers == Qt::ControlModifier) {
    WheelZoomDelta += delta;
    for (; WheelZoomDelta >= 120; WheelZoomDelta -= 120)
      ZoomAround(tavro::ZoomIn(Zoom), event->position().toPoint());
    for (; WheelZoomDelta <= -120; WheelZoomDelta += 120)
      ZoomAround(tavro::ZoomOut(Zoom), event->position().toPoint());
    return;
  }
  const int cells = -delta * 3 / 120;
  const bool sideways = modifiers == Qt::ShiftModifier || (angle.y() == 0 && angle.x() != 0);
  ScrollBy(sideways ? SBH : SBV, cells);
}

void TMapWidget::PBMouseDown(int px, int py) {
  // Only the squares of the old and the new selection change.
  PB->update(RoomRect(SelectedRoom));
  SetSelection(RoomAtPoint(px, py));
  PB->update(RoomRect(SelectedRoom));
  if (Host) Host->ShowRoomInEditor(SelectedRoom);
  UpdateStatusBar();
}

void TMapWidget::PBDblClick(int px, int py) {
  PBMouseDown(px, py);
  if (Host) Host->ShowRoomsPage();
}

bool TMapWidget::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  const Qt::KeyboardModifiers shift_state = modifiers & ~Qt::KeypadModifier;
  const int32_t dir = direction_of_key(key, keypad);
  bool consumed = false;
  if (shift_state == Qt::NoModifier) {
    consumed = HandlePlainKey(key, keypad);
  } else if (shift_state == Qt::ControlModifier && dir >= 0) {
    CreateRoomTowards(dir);
    consumed = true;
  } else if (shift_state == Qt::ControlModifier && !keypad && key >= Qt::Key_1 && key <= Qt::Key_6) {
    consumed = Host && Host->AnalyzeHotKeys(key, Qt::ControlModifier);
  } else if (shift_state == Qt::ShiftModifier && dir >= 0) {
    GoThroughExit(dir);
    consumed = true;
  } else if (shift_state == (Qt::ShiftModifier | Qt::ControlModifier) && dir >= 0) {
    LinkToNearestRoom(dir);
    consumed = true;
  }
  if (consumed) RefreshView();
  return consumed;
}

bool TMapWidget::IsMapKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  const Qt::KeyboardModifiers shift_state = modifiers & ~Qt::KeypadModifier;
  if (shift_state != Qt::NoModifier)
    return direction_of_key(key, keypad) >= 0 &&
           (shift_state == Qt::ControlModifier || shift_state == Qt::ShiftModifier ||
            shift_state == (Qt::ShiftModifier | Qt::ControlModifier));
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Delete:
    case Qt::Key_F1:
      return true;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
    case Qt::Key_Asterisk:
    case Qt::Key_Slash:
      return keypad;
    default:
      return false;
  }
}

bool TMapWidget::HandlePlainKey(int key, bool keypad) {
  const int page = VisibleCells(PB->height(), Zoom);
  switch (key) {
    case Qt::Key_Left:
      ScrollBy(SBH, -1);
      return true;
    case Qt::Key_Right:
      ScrollBy(SBH, 1);
      return true;
    case Qt::Key_Up:
      ScrollBy(SBV, -1);
      return true;
    case Qt::Key_Down:
      ScrollBy(SBV, 1);
      return true;
    case Qt::Key_PageUp:
      ScrollBy(SBV, -page);
      return true;
    case Qt::Key_PageDown:
      ScrollBy(SBV, page);
      return true;
    case Qt::Key_Home:
      SBH->setValue(0);
      SBV->setValue(0);
      return true;
    case Qt::Key_End:
      ScrollToEnd();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // A map without rooms has nothing to edit: Enter makes its first room.
      if (Rooms && Rooms->Items.empty())
        CreateFirstRoom();
      else if (Host)
        Host->ShowRoomsPage();
      return true;
    case Qt::Key_Delete:
      DeleteSelectedRoom();
      return true;
    case Qt::Key_F1:
      if (Host) Host->ShowMapHelp();
      return true;
    case Qt::Key_T:
      // The sector of new rooms; the key itself goes on to whatever has the focus.
      ChooseNewRoomSector();
      return false;
    default:
      break;
  }
  if (!keypad) return false;
  switch (key) {
    case Qt::Key_Plus:
      LevelUp();
      return true;
    case Qt::Key_Minus:
      LevelDown();
      return true;
    case Qt::Key_Asterisk:
      ZoomIn();
      return true;
    case Qt::Key_Slash:
      ZoomOut();
      return true;
    default:
      return false;
  }
}

void TMapWidget::ScrollBy(QScrollBar* bar, int delta) {
  bar->setValue(bar->value() + delta);
}

// The pixels already painted move with the map; only the strip that comes into view is painted.
void TMapWidget::ScrollMap(QScrollBar* bar, int value) {
  int32_t& shown = bar == SBH ? ShownColumn : ShownRow;
  const int delta = (value - shown) * 4 * Zoom;
  shown = value;
  if (Zooming) return;
  if (FineX != 0 || FineY != 0) {
    // Back to whole cells: everything moves.
    FineX = FineY = 0;
    PB->update();
    return;
  }
  if (bar == SBH)
    PB->scroll(-delta, 0);
  else
    PB->scroll(0, -delta);
}

QRect TMapWidget::RoomRect(int32_t index) const {
  if (!Rooms || index < 0 || index >= static_cast<int32_t>(Rooms->Items.size())) return QRect();
  const TAreaRoom& room = *Rooms->Items[static_cast<size_t>(index)];
  const int pitch = 4 * Zoom;
  const QPoint centre(room.X * pitch - offset_x(), room.Y * pitch - offset_y());
  return QRect(centre - QPoint(Zoom + 1, Zoom + 1), centre + QPoint(Zoom + 1, Zoom + 1));
}

void TMapWidget::ScrollToEnd() {
  if (!Rooms) return;
  SBH->setValue(tavro::ScrollToEnd(Rooms->MaxX, VisibleCells(PB->width(), Zoom)));
  SBV->setValue(tavro::ScrollToEnd(Rooms->MaxY, VisibleCells(PB->height(), Zoom)));
}

void TMapWidget::SetZoom(int32_t zoom) {
  const TAreaRoom* room = Selected();
  QPoint anchor(PB->width() / 2, PB->height() / 2);
  if (room && room->Level == MapLevel) {
    const QPoint centre(room->X * 4 * Zoom - offset_x(), room->Y * 4 * Zoom - offset_y());
    if (PB->rect().contains(centre)) anchor = centre;
  }
  ZoomAround(zoom, anchor);
}

void TMapWidget::ZoomAround(int32_t zoom, QPoint anchor) {
  const TMapScroll x = ZoomScroll(anchor.x(), offset_x(), Zoom, zoom, SBH->maximum());
  const TMapScroll y = ZoomScroll(anchor.y(), offset_y(), Zoom, zoom, SBV->maximum());
  Zoom = zoom;
  Zooming = true;
  SBH->setValue(x.cells);
  SBV->setValue(y.cells);
  Zooming = false;
  FineX = x.pixels;
  FineY = y.pixels;
  PB->update();
}

void TMapWidget::ZoomIn() {
  SetZoom(tavro::ZoomIn(Zoom));
}

void TMapWidget::ZoomOut() {
  SetZoom(tavro::ZoomOut(Zoom));
}

void TMapWidget::OtherAreasChanged() {
  if (!Rooms) return;
  Index.ClassifyOutside(*Rooms);
  PB->update();
}

void TMapWidget::LevelUp() {
  ++MapLevel;
  UpdateStatusBar();
  PB->update();
}

void TMapWidget::LevelDown() {
  --MapLevel;
  UpdateStatusBar();
  PB->update();
}

void TMapWidget::SelectRoom(int32_t index) {
  SetSelection(index);
  if (const TAreaRoom* room = Selected()) MapLevel = room->Level;
  PB->update();
}

void TMapWidget::RoomsChanged(bool lay_out) {
  if (!Rooms) return;
  const PendingRoom pending = std::exchange(Pending, PendingRoom{});
  const bool made_here =
      pending.record && !Rooms->Items.empty() && Rooms->Items.back().get() == pending.record;
  if (!lay_out) {
    // Positions stay; the next room made from the map is laid out in full.
    Layout.Forget();
    Index.Build(*Rooms);
  } else if (made_here && Layout.AddLinkedRoom(*Rooms, pending.from, pending.dir)) {
    Index.AddLinkedRoom(*Rooms, pending.from);
  } else {
    Layout.LayOut(*Rooms);
    Index.Build(*Rooms);
  }
  const auto& items = Rooms->Items;
  const auto found = std::find_if(items.begin(), items.end(),
                                  [this](const auto& room) { return room.get() == SelectedRecord; });
  if (found != items.end())
    SetSelection(static_cast<int32_t>(found - items.begin()));
  else
    SetSelection(SelectedRoom < static_cast<int32_t>(items.size()) ? SelectedRoom : -1);
  RefreshView();
  PB->update();
}

void TMapWidget::Commit(std::unique_ptr<TChange> change, const QString& text) {
  if (Host) return Host->MapEdited(std::move(change), text);
  // A map on its own (benchmarks) keeps no history: it follows the change at once.
  for (const TChange::Touch& touch : change->Touched())
    if (touch.area == Rooms->Area) RoomsChanged((touch.scope & kRoomsLaidOut) != 0);
}

void TMapWidget::CreateRoomTowards(int32_t dir) {
  if (Rooms && Rooms->Items.empty()) return CreateFirstRoom();
  TAreaRoom* room = Selected();
  if (!room) return;
  if (ExitLeadsSomewhere(*room, dir)) {
    FollowExit(room->Doors[static_cast<size_t>(dir)]->ToVnum, QStringLiteral("Create New Room"),
               QStringLiteral("Create new room"), true);
    return;
  }
  TRoomCreation made = CreateLinkedRoom(*Rooms, SelectedRoom, dir, NewRoomSector);
  Pending = PendingRoom{Rooms->Items.back().get(), SelectedRoom, dir};
  ShowCreated(std::move(made));
}

void TMapWidget::CreateFirstRoom() {
  if (Rooms) ShowCreated(tavro::CreateFirstRoom(*Rooms, NewRoomSector));
}

// The new room is selected and shown in the editor; the status bar names its vnum, which may lie
// beyond a gap when other areas hold the vnums after this area's last.
void TMapWidget::ShowCreated(TRoomCreation made) {
  Commit(std::move(made.change), QStringLiteral("Create Room %1").arg(made.vnum));
  SelectRoom(made.index);
  Panels[6]->setText(QStringLiteral("New room: %1").arg(made.vnum));
  if (Host) Host->ShowRoomInEditor(made.index);
}

void TMapWidget::GoThroughExit(int32_t dir) {
  const TAreaRoom* room = Selected();
  if (!room || !ExitLeadsSomewhere(*room, dir)) return;
  const QString caption = QStringLiteral("Move To Room");
  FollowExit(room->Doors[static_cast<size_t>(dir)]->ToVnum, caption, caption, false);
}

// Moves the selection to the room an exit leads to: in this area directly, in another area when the user
// agrees to open it; an exit into no known room is reported.
void TMapWidget::FollowExit(int32_t vnum, const QString& open_caption, const QString& unfinished_caption,
                            bool select_in_other_editor) {
  const ExitTarget target = FindExitTarget(*Rooms, vnum);
  switch (target.kind) {
    case ExitTarget::ThisArea:
      SelectRoom(target.room_index);
      if (Host) Host->ShowRoomInEditor(target.room_index);
      return;
    case ExitTarget::OtherArea: {
      const QString text = QStringLiteral("This room in area \"") + area_name(*target.area) +
                           QStringLiteral("\"\r\nOpen area?");
      const DialogAnswer answer = DialogService::instance().question(
          window(), open_caption, text, DialogButtons::YesNo, DialogIcon::Information);
      if (answer == DialogAnswer::Yes && Host)
        Host->OpenRoomInArea(*target.area, target.room_index, select_in_other_editor);
      return;
    }
    case ExitTarget::Nowhere:
      DialogService::instance().message(window(), unfinished_caption,
                                        QStringLiteral("Unfinished link (VNum %1) !").arg(vnum),
                                        DialogIcon::Warning);
      return;
  }
}

void TMapWidget::LinkToNearestRoom(int32_t dir) {
  TAreaRoom* room = Selected();
  if (!room || ExitLeadsSomewhere(*room, dir) || dir < 0 || dir > 9) return;
  const int32_t found = FindNearestRoom(*Rooms, SelectedRoom, dir, [this] {
    return DialogService::instance().question(
               window(), QStringLiteral("Linking room"),
               QStringLiteral("Near rooms in this direction don't exist!\r\nContinue search?"),
               DialogButtons::YesNo, DialogIcon::Warning) == DialogAnswer::Yes;
  });
  if (found < 0) return;
  const int32_t to_vnum = Rooms->Items[static_cast<size_t>(found)]->Vnum;
  Commit(ChangeExit(*room, dir, to_vnum), QStringLiteral("Link Room %1 to %2").arg(room->Vnum).arg(to_vnum));
  GoThroughExit(dir);
}

// Only a room shown on the current level is removed: the selection may lie on a level the builder no
// longer sees.
void TMapWidget::DeleteSelectedRoom() {
  const TAreaRoom* room = Selected();
  if (!room || room->Level != MapLevel) return;
  const int32_t vnum = room->Vnum;
  std::unique_ptr<TChange> removal =
      RemoveRoom(*Rooms, vnum, [this](const std::string& caption, const std::string& text) {
        return removal_answer(
            DialogService::instance().question(window(), from_cp1251(caption), from_cp1251(text),
                                               DialogButtons::YesNoCancel, DialogIcon::Question));
      });
  if (!removal) return;
  std::vector<TArea*> repaired;
  for (const TChange::Touch& touch : removal->Touched())
    if (touch.area != Rooms->Area) repaired.push_back(touch.area);
  Commit(std::move(removal), QStringLiteral("Remove Room %1").arg(vnum));
  if (Host) {
    Host->ShowAreas(repaired);
    // The editor shows the room that is selected now, never the removed one.
    Host->ShowRoomInEditor(SelectedRoom);
  }
}

void TMapWidget::ChooseNewRoomSector() {
  if (!Host) return;
  if (const std::optional<int32_t> sector = Host->ChooseSector(NewRoomSector)) NewRoomSector = *sector;
}

void TMapWidget::AreaPagesChange() {
  SBH->setRange(0, Rooms ? std::max(0, Rooms->MaxX) : 0);
  SBV->setRange(0, Rooms ? std::max(0, Rooms->MaxY) : 0);
}

void TMapWidget::KeepSelectionInView() {
  const TAreaRoom* room = Selected();
  if (!room) return;
  SBH->setValue(ScrollToShow(SBH->value(), room->X, VisibleCells(PB->width(), Zoom)));
  SBV->setValue(ScrollToShow(SBV->value(), room->Y, VisibleCells(PB->height(), Zoom)));
}

QString TMapWidget::SectorName(int32_t sector) const {
  const TWorld* world = Rooms && Rooms->Area ? Rooms->Area->world() : nullptr;
  if (!world || sector < 0 || static_cast<size_t>(sector) >= world->SectorTypes.size()) return QString();
  return from_cp1251(world->SectorTypes[static_cast<size_t>(sector)]);
}

void TMapWidget::UpdateStatusBar() {
  const TAreaRoom* room = Selected();
  Panels[0]->setText(room ? QStringLiteral("RX:%1").arg(room->X) : QString());
  Panels[1]->setText(room ? QStringLiteral("RY:%1").arg(room->Y) : QString());
  Panels[2]->setText(QStringLiteral("MLevel:%1").arg(MapLevel));
  Panels[3]->setText(room ? QStringLiteral("VNum:%1").arg(room->Vnum) : QString());
  Panels[4]->setText(room ? QStringLiteral("Sector:") + SectorName(room->Sector) : QString());
  Panels[5]->setText(room ? QStringLiteral("Exits:") + from_cp1251(ExitLetters(*room)) : QString());
  // A screen reader follows the selection through the map's description.
  const QString description = room ? DescriptionOf(SelectedRoom, QStringLiteral(". ")) + QStringLiteral(".")
                                   : QStringLiteral("No room selected.");
  if (PB->accessibleDescription() == description) return;
  PB->setAccessibleDescription(description);
  // Told to screen readers in so many words: not every Qt version announces the change itself.
  QAccessibleEvent changed(PB, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

// What changed the drawing has asked for its repaint already; scrolling repaints what it exposes.
void TMapWidget::RefreshView() {
  AreaPagesChange();
  KeepSelectionInView();
  UpdateStatusBar();
}

}  // namespace tavro::ui
