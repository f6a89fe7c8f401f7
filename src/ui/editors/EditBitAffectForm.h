#pragma once
// The value of an affect that is a set of flag bits (affect flags or resistances), ticked in a check
// list of three columns. Bits the list does not name are kept.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/editors/AffectDialogs.h"

namespace tavro::ui {

class TFlagCheckList;

class TEditBitAffectForm : public TAffectValueForm {
  Q_OBJECT

 public:
  explicit TEditBitAffectForm(QWidget* parent = nullptr);

  // The flag list ("bit=Name" entries) and the bits ticked.
  void SetBits(const std::vector<std::string>& list, uint32_t bits);
  uint32_t Bits() const;

  TFlagCheckList* chBits = nullptr;
};

}  // namespace tavro::ui
