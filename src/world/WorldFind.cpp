#include "world/WorldFind.h"

#include <array>
#include <charconv>

#include "area/Area.h"
#include "area/Helps.h"
#include "area/Mobiles.h"
#include "area/Objects.h"
#include "area/Programs.h"
#include "area/Rooms.h"
#include "reading/AreaFile.h"
#include "reading/Cases.h"
#include "world/Areas.h"

namespace tavro {

namespace {

using TFoldTable = std::array<unsigned char, 256>;

// The reader's letter-case table, copied once into an array the search loop indexes directly.
const TFoldTable& fold_table() {
  static const TFoldTable table = [] {
    TFoldTable t{};
    for (size_t b = 0; b < t.size(); ++b)
      t[b] = static_cast<unsigned char>(to_lower(static_cast<char>(b)));
    return t;
  }();
  return table;
}

constexpr size_t kLongLine = 120;
constexpr size_t kContextBefore = 40;

bool is_line_break(char c) {
  return c == '\r' || c == '\n';
}

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// The line around pos, trimmed; a long one cut around pos, the cuts marked with "...".
std::string line_at(std::string_view text, size_t pos) {
  size_t begin = pos, end = pos;
  while (begin > 0 && !is_line_break(text[begin - 1]))
    --begin;
  while (end < text.size() && !is_line_break(text[end]))
    ++end;
  while (begin < end && is_blank(text[begin]))
    ++begin;
  while (end > begin && is_blank(text[end - 1]))
    --end;
  if (end - begin <= kLongLine) return std::string(text.substr(begin, end - begin));
  const size_t from = pos > begin + kContextBefore ? pos - kContextBefore : begin;
  const size_t to = std::min(end, from + kLongLine);
  return (from > begin ? "..." : "") + std::string(text.substr(from, to - from)) + (to < end ? "..." : "");
}

// One search over the world: the folded text, the vnum it stands for, and the hits so far.
class TFinder {
 public:
  TFinder(std::string_view text, size_t max_hits) : needle_(fold_case(text)), max_hits_(max_hits) {
    const char* last = text.data() + text.size();
    is_vnum_ = !text.empty() && std::from_chars(text.data(), last, vnum_).ptr == last;
  }

  bool Full() const { return hits_.size() >= max_hits_; }
  std::vector<TFindHit> Hits() && { return std::move(hits_); }

  void Area(const TArea& area) {
    for (const auto& room : area.Rooms->Items)
      Room(area, *room);
    for (const auto& object : area.Objects->Items)
      Prototype(TRecordRef{&area, TRecordKind::Object, object->Vnum}, *object, &object->ExtraDescs);
    for (const auto& mobile : area.Mobiles->Items)
      Prototype(TRecordRef{&area, TRecordKind::Mobile, mobile->Vnum}, *mobile, nullptr);
    const auto& helps = area.Helps->Items;
    for (size_t i = 0; i < helps.size(); ++i) {
      const TRecordRef record{&area, TRecordKind::Help, 0, static_cast<int32_t>(i)};
      Field(record, "keywords", helps[i]->Keywords);
      Field(record, "text", helps[i]->Text);
    }
  }

 private:
  void Room(const TArea& area, const TAreaRoom& room) {
    const TRecordRef record{&area, TRecordKind::Room, room.Vnum};
    Vnum(record, room.Vnum, room.Name);
    Field(record, "name", room.Name);
    Field(record, "description", room.Description);
    for (const auto& door : room.Doors)
      if (door)
        Fields(record, std::string("exit ") + DirectionNames[static_cast<size_t>(door->Direction)],
               {&door->Keyword, &door->Description});
    ExtraDescs(record, room.ExtraDescs);
    Programs(record, *room.Progs);
  }

  // Objects and mobiles share their texts.
  template <class Record>
  void Prototype(const TRecordRef& record, const Record& r, const TAreaExtraDescs* extras) {
    Vnum(record, r.Vnum, decode_case(r.ShortDescription, 1));
    Field(record, "keywords", r.Name);
    CaseSet(record, r.ShortDescription);
    Field(record, "long description", r.LongDescription);
    Field(record, "description", r.Description);
    if (extras) ExtraDescs(record, *extras);
    Programs(record, *r.Progs);
  }

  void ExtraDescs(const TRecordRef& record, const TAreaExtraDescs& extras) {
    for (const auto& extra : extras.Items)
      Fields(record, "extra description '" + extra->Keyword + "'", {&extra->Keyword, &extra->Description});
  }

  void Programs(const TRecordRef& record, const TWorldProgs& progs) {
    for (size_t i = 0; i < progs.Items.size(); ++i) {
      const TWorldProg& prog = *progs.Items[i];
      Fields(record, "program " + std::to_string(i + 1) + " (" + prog.ProgType + ")",
             {&prog.Arguments, &prog.Body});
    }
  }

  void Vnum(const TRecordRef& record, int32_t vnum, const std::string& name) {
    if (is_vnum_ && vnum == vnum_) Add(record, "vnum", name);
  }

  // A case set is found in any of the six cases it gives (the one found is shown), or in its stored form.
  void CaseSet(const TRecordRef& record, const std::string& set) {
    if (Full()) return;
    for (int n = 1; n <= 6; ++n)
      if (Field(record, "short description", decode_case(set, n))) return;
    Field(record, "short description", set);
  }

  // The first of the texts that holds the needle gives the field's one hit.
  void Fields(const TRecordRef& record, const std::string& field,
              std::initializer_list<const std::string*> texts) {
    for (const std::string* text : texts)
      if (Field(record, field, *text)) return;
  }

  bool Field(const TRecordRef& record, const std::string& field, std::string_view text) {
    if (Full()) return false;
    const size_t pos = Find(text);
    if (pos == std::string_view::npos) return false;
    Add(record, field, line_at(text, pos));
    return true;
  }

  void Add(const TRecordRef& record, std::string field, std::string line) {
    if (!Full()) hits_.push_back(TFindHit{record, std::move(field), std::move(line)});
  }

  size_t Find(std::string_view text) const {
    if (needle_.empty() || text.size() < needle_.size()) return std::string_view::npos;
    const TFoldTable& fold = fold_table();
    const auto first = static_cast<unsigned char>(needle_[0]);
    const size_t last = text.size() - needle_.size();
    for (size_t i = 0; i <= last; ++i) {
      if (fold[static_cast<unsigned char>(text[i])] != first) continue;
      size_t k = 1;
      while (k < needle_.size() &&
             fold[static_cast<unsigned char>(text[i + k])] == static_cast<unsigned char>(needle_[k]))
        ++k;
      if (k == needle_.size()) return i;
    }
    return std::string_view::npos;
  }

  std::string needle_;
  size_t max_hits_;
  bool is_vnum_ = false;
  int32_t vnum_ = 0;
  std::vector<TFindHit> hits_;
};

}  // namespace

std::string fold_case(std::string_view text) {
  const TFoldTable& fold = fold_table();
  std::string folded(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i)
    folded[i] = static_cast<char>(fold[static_cast<unsigned char>(text[i])]);
  return folded;
}

std::vector<TFindHit> find_in_world(const TAreas& areas, std::string_view text, size_t max_hits) {
  TFinder finder(text, max_hits);
  for (const auto& area : areas.Items) {
    if (finder.Full()) break;
    finder.Area(*area);
  }
  return std::move(finder).Hits();
}

}  // namespace tavro
