#include "ui/editors/EntryList.h"

#include <algorithm>

namespace tavro::ui {

int TEntryList::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : size();
}

QVariant TEntryList::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= size()) return {};
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return at(index.row()).text;
  return {};
}

int TEntryList::row_of(const void* object) const {
  const auto it = std::find_if(entries_.begin(), entries_.end(),
                               [object](const Entry& entry) { return entry.object == object; });
  return it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin());
}

void TEntryList::append(const QString& text, void* object) {
  beginInsertRows(QModelIndex(), size(), size());
  entries_.push_back({text, object});
  endInsertRows();
}

void TEntryList::remove(int row) {
  if (row < 0 || row >= size()) return;
  beginRemoveRows(QModelIndex(), row, row);
  entries_.erase(entries_.begin() + row);
  endRemoveRows();
}

void TEntryList::set_text(int row, const QString& text) {
  if (row < 0 || row >= size()) return;
  entries_[static_cast<size_t>(row)].text = text;
  const QModelIndex changed = index(row);
  emit dataChanged(changed, changed);
}

void TEntryList::reset(std::vector<Entry> entries) {
  beginResetModel();
  entries_ = std::move(entries);
  endResetModel();
}

}  // namespace tavro::ui
