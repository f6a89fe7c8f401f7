#include "world/WorldRecord.h"

#include "area/Area.h"
#include "area/Header.h"

namespace tavro {

const char* record_kind_name(TRecordKind kind) {
  static constexpr const char* kNames[] = {"room", "object",      "mobile", "reset",
                                           "shop", "repair shop", "help"};
  return kNames[static_cast<size_t>(kind)];
}

std::string record_label(const TRecordRef& record) {
  const std::string kind = record_kind_name(record.Kind);
  switch (record.Kind) {
    case TRecordKind::Reset:
      return kind + " " + std::to_string(record.Index + 1) +
             (record.Vnum != 0 ? " in room " + std::to_string(record.Vnum) : std::string());
    case TRecordKind::Help:
      return kind + " " + std::to_string(record.Index + 1);
    default:
      return kind + " " + std::to_string(record.Vnum);
  }
}

std::string area_file_label(const TArea& area) {
  if (!area.Header->FileName.empty()) return area.Header->FileName;
  return "(" + (area.Header->Name.empty() ? std::string("new area") : area.Header->Name) + ")";
}

}  // namespace tavro
