#pragma once
// The drawing surface the core paints on. The editor implements it with QPainter, tests record the calls,
// and the command-line map export renders through the same Qt implementation into images.
//
// Rectangles follow the window system's convention: left and top are inside, right and bottom are one past
// the last pixel, so Rect{0, 0, 10, 10} covers 10 x 10 pixels.
#include <cstdint>
#include <span>
#include <string_view>

namespace tavro {

struct Color {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;

  // Colours in files are the platform colour integer 0x00BBGGRR (red in the low byte).
  static constexpr Color from_platform(uint32_t value) {
    return Color{static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
                 static_cast<uint8_t>((value >> 16) & 0xFF)};
  }
  constexpr uint32_t to_platform() const { return uint32_t{r} | (uint32_t{g} << 8) | (uint32_t{b} << 16); }
  friend constexpr bool operator==(const Color&, const Color&) = default;
};

namespace colors {
inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kGrey{128, 128, 128};
inline constexpr Color kSilver{192, 192, 192};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kBlue{0, 0, 255};
inline constexpr Color kLime{0, 255, 0};
inline constexpr Color kGreen{0, 128, 0};
}  // namespace colors

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
  int32_t width = 0;
  int32_t height = 0;
  friend constexpr bool operator==(const Size&, const Size&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void set_pen_color(Color color) = 0;
  virtual void set_brush_color(Color color) = 0;

  // A one-pixel outline in the brush colour.
  virtual void frame_rect(const Rect& rect) = 0;
  // The rectangle filled with the brush colour, no outline.
  virtual void fill_rect(const Rect& rect) = 0;
  // Filled with the brush colour and outlined with a one-pixel pen.
  virtual void rectangle(const Rect& rect) = 0;
  // Connected one-pixel lines in the pen colour.
  virtual void polyline(std::span<const Point> points) = 0;
  // A closed polygon filled with the brush colour and outlined with the pen.
  virtual void polygon(std::span<const Point> points) = 0;

  // Text is Windows-1251. It is drawn with its top-left corner at (x, y) on a background of the brush
  // colour, in the pen colour.
  virtual void text_out(int32_t x, int32_t y, std::string_view text) = 0;
  virtual Size text_extent(std::string_view text) = 0;
};

}  // namespace tavro
