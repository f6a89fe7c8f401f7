#pragma once
// The wear location of an equipment reset, picked from the locations the object can be worn at.
#include <cstdint>
#include <optional>

class QWidget;

namespace tavro {
class TWorld;
}

namespace tavro::ui {

// The location list for an object with these wear flags, with current chosen when it is listed; the
// chosen location's number, or nothing when the list is empty or the builder cancels.
std::optional<int32_t> PickWearLocation(QWidget* parent, const TWorld& world, uint32_t wear_flags,
                                        int32_t current);

}  // namespace tavro::ui
