#include "ui/main/SectorList.h"

#include <QListWidget>
#include <QPainter>
#include <charconv>

#include "ui/common/TextConversion.h"

namespace tavro::ui {

QColor color_from_value(uint32_t value) {
  return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

uint32_t value_from_color(const QColor& color) {
  return uint32_t(color.red()) | (uint32_t(color.green()) << 8) | (uint32_t(color.blue()) << 16);
}

namespace {

// The position of the entry whose name part is index in decimal, or -1.
int find_sector_entry(const std::vector<std::string>& colors, int index) {
  const std::string name = std::to_string(index);
  for (size_t i = 0; i < colors.size(); ++i) {
    const std::string& entry = colors[i];
    if (entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 && entry[name.size()] == '=') {
      return int(i);
    }
  }
  return -1;
}

}  // namespace

std::optional<uint32_t> sector_color(const std::vector<std::string>& colors, int index) {
  const int entry = find_sector_entry(colors, index);
  if (entry < 0) return std::nullopt;
  const std::string& text = colors[size_t(entry)];
  const char* first = text.data() + text.find('=') + 1;
  const char* last = text.data() + text.size();
  // The platform colour integer may have been written signed.
  int64_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return std::nullopt;
  return uint32_t(value);
}

void set_sector_color(std::vector<std::string>& colors, int index, uint32_t value) {
  const std::string entry = std::to_string(index) + '=' + std::to_string(value);
  const int position = find_sector_entry(colors, index);
  if (position >= 0) {
    colors[size_t(position)] = entry;
  } else {
    colors.push_back(entry);
  }
}

void TSectorItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const QRect r = option.rect;
  painter->save();
  painter->fillRect(r, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));

  const int h = r.height() - 4;
  const QRect swatch(r.left() + 2, r.top() + 2, 2 * h, h);
  // A sector without a colour entry gets an empty frame: there is no colour to show.
  if (const auto value = sector_color(*colors_, index.row())) {
    painter->fillRect(swatch, color_from_value(*value));
  }
  painter->setPen(option.palette.color(QPalette::WindowText));
  painter->drawRect(swatch.adjusted(0, 0, -1, -1));

  const QRect text_rect(QPoint(r.left() + 2 * h + 6, r.top()), r.bottomRight());
  painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter->setFont(option.font);
  painter->drawText(text_rect, int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine),
                    index.data(Qt::DisplayRole).toString());
  painter->restore();
}

QSize TSectorItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return QSize(QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight);
}

TSectorListForm::TSectorListForm(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), LBColors(new QListWidget(this)) {
  LBColors->setItemDelegate(new TSectorItemDelegate(&Colors, LBColors));
  LBColors->setUniformItemSizes(true);
  LBColors->setGeometry(8, 8, 193, 329);
  setFixedSize(209, 377);
}

void TSectorListForm::SetSectorNames(const std::vector<std::string>& names) {
  LBColors->clear();
  for (const std::string& name : names)
    LBColors->addItem(from_cp1251(name));
}

void TSectorListForm::SetColors(const std::vector<std::string>& colors) {
  Colors = colors;
  LBColors->viewport()->update();
}

}  // namespace tavro::ui
