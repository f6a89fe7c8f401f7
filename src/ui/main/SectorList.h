#pragma once
// What the two sector dialogs share: the list of sector names painted with a colour swatch each, and
// their own copy of the sector colours (entries "sector index=colour", the colour as 0x00BBGGRR).
#include <QDialog>
#include <QStyledItemDelegate>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QListWidget;

namespace tavro::ui {

// Colour values are stored with red in the low byte.
QColor color_from_value(uint32_t value);
uint32_t value_from_color(const QColor& color);

// The colour of sector index in entries of the form "index=colour"; none when there is no such entry
// or its value is not a number.
std::optional<uint32_t> sector_color(const std::vector<std::string>& colors, int index);
// Sets (or adds) the entry of sector index.
void set_sector_color(std::vector<std::string>& colors, int index, uint32_t value);

// Paints one sector entry: background, swatch of the sector's colour, name.
class TSectorItemDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  static constexpr int kItemHeight = 16;

  TSectorItemDelegate(const std::vector<std::string>* colors, QObject* parent)
      : QStyledItemDelegate(parent), colors_(colors) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const std::vector<std::string>* colors_;
};

class TSectorListForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSectorListForm(QWidget* parent, Qt::WindowFlags flags);

  // Entry i of the list is sector i.
  void SetSectorNames(const std::vector<std::string>& names);
  void SetColors(const std::vector<std::string>& colors);

  QListWidget* LBColors;
  std::vector<std::string> Colors;
};

}  // namespace tavro::ui
