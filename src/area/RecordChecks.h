#pragma once
// What an editor checks before it stores a record: each check gives the reason the value would break the
// area file or the world (empty when the value is fine), so that nothing broken is ever stored.
#include <cstdint>
#include <string>
#include <string_view>

namespace tavro {

class TArea;

enum class RecordKind { Room, Object, Mobile };

// Why a record of this kind in area may not take vnum: 0 ends the section when written, so every record
// after it would be lost on the next load; a vnum that another record of the same kind in the loaded
// world has makes the two indistinguishable. self is the record being edited (its own vnum is no clash).
std::string VnumRefusal(const TArea& area, RecordKind kind, int32_t vnum, const void* self);

// Why a text may not be stored: '~' ends a text in the area file and NUL ends it in memory, so what
// follows would be lost or misread.
std::string TextRefusal(std::string_view text);

}  // namespace tavro
