#pragma once
// The entries of an editor's search list: a display text and the record each stands for, kept in a model
// so that the list of a large area fills and scrolls at once.
#include <QAbstractListModel>
#include <QString>
#include <vector>

namespace tavro::ui {

class TEntryList : public QAbstractListModel {
  Q_OBJECT

 public:
  struct Entry {
    QString text;
    void* object = nullptr;
  };

  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  int size() const { return static_cast<int>(entries_.size()); }
  const Entry& at(int row) const { return entries_.at(static_cast<size_t>(row)); }
  // The first row standing for object, or -1.
  int row_of(const void* object) const;
  void append(const QString& text, void* object);
  void remove(int row);
  void set_text(int row, const QString& text);
  // All entries at once (a list filled or refilled).
  void reset(std::vector<Entry> entries);

 private:
  std::vector<Entry> entries_;
};

}  // namespace tavro::ui
