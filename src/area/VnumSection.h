#pragma once
// The frame shared by the sections of records keyed by vnum (#OBJECTS, #ROOMS): '#' and a vnum per
// record, a vnum of 0 ends the section, a vnum may appear once. A failure discards the record being
// read and names the record, and the section with the last vnum read.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>

#include "reading/AreaFile.h"
#include "reading/Error.h"

namespace tavro {

// section is the heading as it reads in the file ("#ROOMS"); read_body(record) reads one record
// after its '#' line.
template <class List, class ReadBody>
void read_vnum_section(TAreaFile& f, const char* section, List& list, ReadBody&& read_body) {
  using Record = typename decltype(list.Items)::value_type::element_type;
  std::unordered_set<int32_t> vnums;
  vnums.reserve(list.Items.size() + 64);
  for (const auto& record : list.Items)
    vnums.insert(record->Vnum);
  int32_t last_vnum = 0;
  try {
    for (;;) {
      if (fread_letter(f) != '#') throw Error("# not found.");
      last_vnum = fread_number(f);
      if (last_vnum == 0) return;
      if (!vnums.insert(last_vnum).second) throw Error("Duplicate vnum " + std::to_string(last_vnum));
      auto record = std::make_unique<Record>(&list);
      record->Vnum = last_vnum;
      try {
        read_body(*record);
      } catch (const Error& e) {
        throw Error(std::string(section) + " (" + std::to_string(last_vnum) + "):\r\n" + e.what());
      }
      list.Items.push_back(std::move(record));
    }
  } catch (const Error& e) {
    throw Error(std::string(section) + " (beyond" + std::to_string(last_vnum) + "):\r\n" + e.what());
  }
}

// Writes the section heading, every record of the list with write_one(record) and the closing "#0";
// nothing for an empty list. A failure names the section and the record, as reading does.
template <class List, class WriteOne>
void write_vnum_section(TAreaFile& f, const char* section, const List& list, WriteOne&& write_one) {
  if (list.Items.empty()) return;
  fwrite_text(f, section);
  fwrite_eol(f);
  for (const auto& record : list.Items) {
    try {
      write_one(*record);
    } catch (const Error& e) {
      throw Error(std::string(section) + " (" + std::to_string(record->Vnum) + "):\r\n" + e.what());
    }
  }
  fwrite_text(f, "#0\n\n");
}

// One more than the largest vnum, counting from 0.
template <class List>
int32_t next_free_vnum(const List& list) {
  int32_t largest = 0;
  for (const auto& record : list.Items)
    if (record->Vnum > largest) largest = record->Vnum;
  return static_cast<int32_t>(static_cast<uint32_t>(largest) + 1u);
}

template <class List>
auto find_by_vnum(const List& list, int32_t vnum) -> decltype(list.Items.front().get()) {
  for (const auto& record : list.Items)
    if (record->Vnum == vnum) return record.get();
  return nullptr;
}

}  // namespace tavro
