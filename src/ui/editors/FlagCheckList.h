#pragma once
// A check list of a flag list's names laid out in columns. Row i stands for entry i of the list; the
// stored value comes back with only the bits the list names replaced by the ticks, so a bit that no
// entry names survives an edit. Space ticks the current row, the arrow keys move between rows.
#include <QListWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "reading/BitVector.h"

namespace tavro::ui {

class TFlagCheckList : public QListWidget {
  Q_OBJECT

 public:
  explicit TFlagCheckList(QWidget* parent = nullptr);

  // Entries "bit=Name" (Windows-1251): row i shows entry i's name and stands for its bit.
  void setFlagList(const std::vector<std::string>& list);
  // Plain entries: row i shows entry i and stands for bit i.
  void setPlainList(const std::vector<std::string>& plain);

  // The flag routines below throw Error when an entry's bit is not a number.
  void setFlags(uint32_t flags);
  uint32_t flags() const;
  void setBitVector(const TBitVector& bits);
  TBitVector bitVector() const;
  // One bit chosen among the list's (the language being spoken): the selected row. A choice no row
  // stands for selects none and is given back unless the user selects a row.
  void setChoice(uint32_t choice);
  uint32_t choice() const;

  std::vector<bool> ticks() const;

 private:
  void tick_rows(const std::vector<bool>& ticked);
  int selected_row() const;

  std::vector<std::string> list_;
  uint32_t stored_flags_ = 0;
  TBitVector stored_bits_;
  uint32_t stored_choice_ = 0;
};

}  // namespace tavro::ui
