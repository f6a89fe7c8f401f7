#include "area/Header.h"

#include <algorithm>

#include "area/NumberRuns.h"

#include "reading/AreaFile.h"
#include "reading/Error.h"

namespace tavro {

namespace {

using SectionReader = void (*)(TAreaHeader&, TAreaFile&);

struct HeaderSection {
  std::string_view name;
  SectionReader read;
};

// Each line holds the four ranges (missing trailing values are 0); the last line counts.
void read_ranges(TAreaHeader& h, TAreaFile& f) {
  for (;;) {
    if (fread_letter(f) == '$') return;
    f.ungetc();
    h.Ranges[0] = fread_number(f);
    for (size_t i = 1; i < h.Ranges.size(); ++i)
      h.Ranges[i] = fread_number_eol(f);
  }
}

const HeaderSection kSections[] = {
    {"AREA", [](TAreaHeader& h, TAreaFile& f) { h.Name = fread_string(f); }},
    {"AUTHOR", [](TAreaHeader& h, TAreaFile& f) { h.Author = fread_string(f); }},
    {"FLAGS",
     [](TAreaHeader& h, TAreaFile& f) {
       h.Flags = fread_flag(f);
       h.FlagsNumber = static_cast<int32_t>(fread_flag_eol(f));
     }},
    {"RANGES", read_ranges},
    {"ECONOMY", [](TAreaHeader& h, TAreaFile& f) { read_numbers(f, h.Economy); }},
    {"RESETMSG", [](TAreaHeader& h, TAreaFile& f) { h.ResetMessage = fread_string(f); }},
    {"CLIMATE", [](TAreaHeader& h, TAreaFile& f) { read_numbers(f, h.Climate); }},
    {"VERSION", [](TAreaHeader& h, TAreaFile& f) { h.Version = fread_number(f); }},
    {"NEIGHBOR", [](TAreaHeader& h, TAreaFile& f) { h.Neighbors.push_back(fread_string(f)); }},
    {"SPELLLIMIT", [](TAreaHeader& h, TAreaFile& f) { h.SpellLimit = fread_number(f); }},
};

const HeaderSection* find_section(std::string_view name) {
  auto it = std::find_if(std::begin(kSections), std::end(kSections),
                         [&](const HeaderSection& s) { return s.name == name; });
  return it == std::end(kSections) ? nullptr : it;
}

template <size_t N>
bool any_set(const std::array<int32_t, N>& values) {
  return std::any_of(values.begin(), values.end(), [](int32_t v) { return v != 0; });
}

// heading is "#NAME " as written; a text that cannot be written names the section.
void write_string_section(TAreaFile& f, std::string_view heading, const std::string& text,
                          std::string_view end = "\n\n") {
  with_prefix(std::string(heading.substr(0, heading.size() - 1)) + ":\r\n", [&] {
    fwrite_text(f, heading);
    fwrite_string(f, text);
    fwrite_text(f, end);
  });
}

}  // namespace

bool TAreaHeader::is_header_section(std::string_view name) {
  return find_section(name) != nullptr;
}

void TAreaHeader::read_section(std::string_view name, TAreaFile& f) {
  const HeaderSection* section = find_section(name);
  if (section == nullptr) throw Error("Bad section name: " + std::string(name));
  with_prefix("#" + std::string(name) + ":\r\n", [&] { section->read(*this, f); });
}

void TAreaHeader::Write(TAreaFile& f) const {
  write_string_section(f, "#AREA ", Name);
  fwrite_text(f, "#VERSION ");
  fwrite_number(f, kCurrentVersion);
  fwrite_text(f, "\n\n");
  if (!Author.empty() && Author != "(Unknown)") write_string_section(f, "#AUTHOR ", Author);
  if (Flags != 0 || FlagsNumber != 0) {
    fwrite_text(f, "#FLAGS ");
    fwrite_flag(f, Flags);
    fwrite_text(f, " ");
    fwrite_number(f, FlagsNumber);
    fwrite_text(f, "\n\n");
  }
  if (any_set(Ranges)) {
    fwrite_text(f, "#RANGES\n");
    write_numbers(f, Ranges);
    fwrite_text(f, "\n$\n\n");
  }
  if (any_set(Economy)) {
    fwrite_text(f, "#ECONOMY ");
    write_numbers(f, Economy);
    fwrite_text(f, "\n\n");
  }
  if (!ResetMessage.empty()) write_string_section(f, "#RESETMSG ", ResetMessage);
  if (any_set(Climate)) {
    fwrite_text(f, "#CLIMATE ");
    write_numbers(f, Climate);
    fwrite_text(f, "\n\n");
  }
  for (const std::string& neighbor : Neighbors)
    write_string_section(f, "#NEIGHBOR ", neighbor, "\n");
  if (!Neighbors.empty()) fwrite_eol(f);
  if (SpellLimit > 0) {
    fwrite_text(f, "#SPELLLIMIT ");
    fwrite_number(f, SpellLimit);
    fwrite_text(f, "\n\n");
  }
}

}  // namespace tavro
