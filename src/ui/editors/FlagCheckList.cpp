#include "ui/editors/FlagCheckList.h"

#include "reading/FlagEdits.h"
#include "ui/common/TextConversion.h"

namespace tavro::ui {

TFlagCheckList::TFlagCheckList(QWidget* parent) : QListWidget(parent) {
  // Rows run down a column and on into the next one, as many columns as the width holds.
  setFlow(QListView::TopToBottom);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void TFlagCheckList::setFlagList(const std::vector<std::string>& list) {
  list_ = list;
  clear();
  for (const std::string& entry : list_) {
    auto* item = new QListWidgetItem(from_cp1251(flag_entry_name(entry)), this);
    item->setCheckState(Qt::Unchecked);
  }
}

void TFlagCheckList::setPlainList(const std::vector<std::string>& plain) {
  setFlagList(plain_list_as_flag_list(plain));
}

void TFlagCheckList::setFlags(uint32_t flags) {
  stored_flags_ = flags;
  tick_rows(word_to_flag_list(list_, flags));
}

uint32_t TFlagCheckList::flags() const {
  return merge_flag_edit(stored_flags_, flag_list_mask(list_), flag_list_to_word(list_, ticks()));
}

void TFlagCheckList::setBitVector(const TBitVector& bits) {
  stored_bits_ = bits;
  tick_rows(bitvector_to_flag_list(list_, bits));
}

TBitVector TFlagCheckList::bitVector() const {
  return merge_flag_edit(stored_bits_, flag_list_vector_mask(list_), flag_list_to_bitvector(list_, ticks()));
}

void TFlagCheckList::setChoice(uint32_t choice) {
  stored_choice_ = choice;
  int chosen = -1;
  const std::vector<bool> named = word_to_flag_list(list_, choice);
  for (size_t i = 0; i < named.size(); ++i) {
    if (named[i]) chosen = static_cast<int>(i);  // the last one wins
  }
  if (chosen >= 0) {
    setCurrentRow(chosen);
  } else {
    clearSelection();
    setCurrentItem(nullptr);
  }
}

uint32_t TFlagCheckList::choice() const {
  return flag_choice_to_store(list_, stored_choice_, selected_row());
}

std::vector<bool> TFlagCheckList::ticks() const {
  std::vector<bool> ticked(static_cast<size_t>(count()));
  for (int row = 0; row < count(); ++row)
    ticked[static_cast<size_t>(row)] = item(row)->checkState() == Qt::Checked;
  return ticked;
}

void TFlagCheckList::tick_rows(const std::vector<bool>& ticked) {
  for (int row = 0; row < count() && static_cast<size_t>(row) < ticked.size(); ++row)
    item(row)->setCheckState(ticked[static_cast<size_t>(row)] ? Qt::Checked : Qt::Unchecked);
}

// Only a selected row is a choice: the current row alone may have been set by the focus arriving.
int TFlagCheckList::selected_row() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.first());
}

}  // namespace tavro::ui
