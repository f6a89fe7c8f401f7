#include "ui/editors/ChoiceBox.h"

#include <algorithm>
#include <numeric>

#include "reading/BitVector.h"
#include "reading/FlagEdits.h"
#include "ui/common/TextConversion.h"

namespace tavro::ui {

TChoiceBox::TChoiceBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
}

void TChoiceBox::setPlainList(const std::vector<std::string>& plain) {
  QStringList texts;
  for (const std::string& entry : plain)
    texts << from_cp1251(entry);
  setEntries(texts);
}

void TChoiceBox::setFlagList(const std::vector<std::string>& list) {
  QStringList texts;
  std::vector<int32_t> values;
  for (const std::string& entry : list) {
    values.push_back(flag_entry_bit(entry));
    texts << from_cp1251(flag_entry_name(entry));
  }
  setEntries(texts, std::move(values));
}

void TChoiceBox::setEntries(const QStringList& texts, std::vector<int32_t> values) {
  if (values.empty()) {
    values.resize(static_cast<size_t>(texts.size()));
    std::iota(values.begin(), values.end(), 0);
  }
  // An entry without a value (or a value without an entry) would stand for nothing.
  const qsizetype shown = std::min(texts.size(), static_cast<qsizetype>(values.size()));
  values.resize(static_cast<size_t>(shown));
  values_ = std::move(values);
  clear();
  addItems(texts.mid(0, shown));
  setValue(stored_);
}

void TChoiceBox::setValue(int32_t stored) {
  stored_ = stored;
  drop_stored_entry();
  int index = choice_index(values_, stored);
  if (index < 0) {
    addItem(QString::number(stored));
    index = count() - 1;
  }
  setCurrentIndex(index);
}

int32_t TChoiceBox::value() const {
  return choice_to_store(values_, stored_, currentIndex());
}

// The entry showing a value no list entry stands for is the one past the list's own.
void TChoiceBox::drop_stored_entry() {
  while (count() > static_cast<int>(values_.size()))
    removeItem(count() - 1);
}

}  // namespace tavro::ui
