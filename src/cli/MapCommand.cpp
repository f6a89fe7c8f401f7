// tavro map: one level of an area's map as the editor paints it (the level below as a grey shadow),
// written as PNG or SVG.
#include <charconv>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "area/Area.h"
#include "area/Layout.h"
#include "area/MapDrawing.h"
#include "area/Rooms.h"
#include "cli/Cli.h"
#include "cli/CliWorld.h"
#include "reading/Paths.h"
#include "world/World.h"

#ifndef TAVRO_NO_UI
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTemporaryDir>

#include "ui/common/PainterCanvas.h"
#endif

namespace tavro::cli {

namespace {

constexpr char kUsage[] =
    "usage: tavro [--start DIR] [--mud DIR] map AREA_FILE_NAME --level N [--zoom Z] --out "
    "FILE.png|FILE.svg\n";
constexpr int32_t kMaxZoom = 1000;
// A PNG is rendered in memory: about 256 MB of pixels at most.
constexpr int64_t kMaxPixels = int64_t{64} * 1024 * 1024;
constexpr int32_t kMaxSide = 32767;

std::optional<int32_t> parse_int(const std::string& text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::string lower_extension(const std::string& path) {
  const std::string name = file_name_part(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string extension = name.substr(dot + 1);
  for (char& ch : extension)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return extension;
}

struct MapRequest {
  std::string area_name;
  int32_t level = 0;
  int32_t zoom = 10;
  std::string out;
  bool svg = false;
};

// Checks the command's own arguments; on failure explains on err and gives nothing.
std::optional<MapRequest> parse_request(const Options& options, std::ostream& err) {
  const auto fail = [&](const std::string& message) -> std::optional<MapRequest> {
    err << "tavro map: " << message << "\n" << kUsage;
    return std::nullopt;
  };
  if (options.args.size() != 1) return fail("exactly one area file name is needed");
  for (const auto& [name, value] : options.named)
    if (name != "level" && name != "zoom" && name != "out") return fail("unknown option --" + name);
  MapRequest request;
  request.area_name = options.args[0];
  const std::optional<int32_t> level = parse_int(options.named_value("level"));
  if (!level) return fail("--level needs a whole number");
  request.level = *level;
  const std::optional<int32_t> zoom = parse_int(options.named_value("zoom", "10"));
  if (!zoom || *zoom < 1 || *zoom > kMaxZoom) return fail("--zoom needs a whole number from 1 to 1000");
  request.zoom = *zoom;
  request.out = options.named_value("out");
  if (request.out.empty()) return fail("--out FILE is needed");
  const std::string extension = lower_extension(request.out);
  if (extension != "png" && extension != "svg") return fail("the output file must end in .png or .svg");
  request.svg = extension == "svg";
  return request;
}

bool file_exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// An area is looked for in the server's area folder first, then as a path of its own; when it is in
// neither, the area folder is named in the error.
std::string area_path(const TWorld& world, const std::string& name) {
  if (is_absolute_path(name)) return native_path(name);
  const std::string in_world = resolve_path_case(join_path(world.MudPath, join_path("area", name)));
  if (!file_exists(in_world) && file_exists(native_path(name))) return native_path(name);
  return in_world;
}

#ifndef TAVRO_NO_UI

// Painting needs a GUI application; headless runs use the offscreen platform. Starting one looks
// into the user's runtime folder, and warns on standard error when none is set (as under a service
// or in a container): such a run gets a private one, made for the run and removed after it.
class GuiScope {
 public:
  GuiScope() {
    if (QCoreApplication::instance() != nullptr) return;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
      // Made with mode 0700, as a runtime folder must be.
      runtime_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tavro-runtime-XXXXXX"));
      if (runtime_->isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_->path()));
    }
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  ~GuiScope() {
    app_.reset();
    if (runtime_ != nullptr) qunsetenv("XDG_RUNTIME_DIR");
  }
  GuiScope(const GuiScope&) = delete;
  GuiScope& operator=(const GuiScope&) = delete;

 private:
  int argc_ = 1;
  char name_[6] = "tavro";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QTemporaryDir> runtime_;
  std::unique_ptr<QGuiApplication> app_;
};

void paint(const TAreaRooms& rooms, const MapRequest& request, QPaintDevice& device, int32_t margin) {
  QPainter painter(&device);
  painter.fillRect(QRect(0, 0, device.width(), device.height()), Qt::white);
  ui::PainterCanvas canvas(painter);
  PaintMap(rooms, canvas, request.level, -1, request.zoom, -margin, -margin);
}

bool write_image(const TAreaRooms& rooms, const MapRequest& request, Size size, int32_t margin,
                 std::ostream& err) {
  const QString file = QFile::decodeName(QByteArray::fromStdString(request.out));
  if (request.svg) {
    QSvgGenerator generator;
    generator.setFileName(file);
    generator.setSize(QSize(size.width, size.height));
    generator.setViewBox(QRect(0, 0, size.width, size.height));
    generator.setTitle(QStringLiteral("Tavro map"));
    paint(rooms, request, generator, margin);
    if (QFile::exists(file)) return true;
  } else {
    QImage image(size.width, size.height, QImage::Format_RGB32);
    if (image.isNull()) {
      err << "tavro map: not enough memory for a " << size.width << " x " << size.height << " image\n";
      return false;
    }
    paint(rooms, request, image, margin);
    if (image.save(file, "PNG")) return true;
  }
  err << "tavro map: cannot write " << request.out << "\n";
  return false;
}

#endif

}  // namespace

int run_map(const Options& options, std::ostream& out, std::ostream& err) {
  const std::optional<MapRequest> request = parse_request(options, err);
  if (!request) return 2;
#ifdef TAVRO_NO_UI
  (void)out;
  err << "tavro map: this build has no Qt, so it cannot draw\n";
  return 2;
#else
  std::unique_ptr<TWorld> world;
  try {
    world = build_world(options);
  } catch (const std::exception& e) {
    print_error(err, e.what());
    return 2;
  }
  TArea* area = nullptr;
  try {
    area = world->load_single_area(area_path(*world, request->area_name));
  } catch (const std::exception& e) {
    print_error(err, e.what());
    return 1;
  }
  TAreaRooms& rooms = *area->Rooms;
  AutoLayout(rooms);
  const int32_t margin = request->zoom;  // keeps the stubs of the first column and row inside
  const Size map = MapPixelSize(rooms, request->zoom);
  const Size size{map.width + margin, map.height + margin};
  const int64_t limit_side = request->svg ? 1000000 : kMaxSide;
  if (size.width > limit_side || size.height > limit_side ||
      (!request->svg && int64_t{size.width} * size.height > kMaxPixels)) {
    err << "tavro map: the map would be " << size.width << " x " << size.height
        << " pixels; use a smaller --zoom\n";
    return 1;
  }
  GuiScope gui;
  if (!write_image(rooms, *request, size, margin, err)) return 1;
  int32_t shown = 0;
  for (const auto& room : rooms.Items)
    if (!room->Unplaced && room->Level == request->level) ++shown;
  out << "wrote " << request->out << ": " << size.width << " x " << size.height << " pixels, level "
      << request->level << " with " << shown << " of " << rooms.Items.size() << " rooms (levels "
      << rooms.MinLevel << " to " << rooms.MaxLevel << ")\n";
  return 0;
#endif
}

}  // namespace tavro::cli
