#pragma once
// A drop-down over a constant or reference list that never loses the stored value: a value no entry
// stands for is shown as its number in an entry of its own, and comes back unchanged unless the user
// picks one of the list's entries.
#include <QComboBox>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

namespace tavro::ui {

class TChoiceBox : public QComboBox {
  Q_OBJECT

 public:
  explicit TChoiceBox(QWidget* parent = nullptr);

  // Plain entries (Windows-1251): entry i stands for i.
  void setPlainList(const std::vector<std::string>& plain);
  // Entries "number=Name" (Windows-1251): each shows its name and stands for its number. Throws Error
  // when a number is not one.
  void setFlagList(const std::vector<std::string>& list);
  // Entry i shows texts[i] and stands for values[i]; without values, for i.
  void setEntries(const QStringList& texts, std::vector<int32_t> values = {});

  void setValue(int32_t stored);
  int32_t value() const;

 private:
  void drop_stored_entry();

  std::vector<int32_t> values_;
  int32_t stored_ = 0;
};

}  // namespace tavro::ui
