#include "area/Resets.h"

#include <cctype>
#include <string>

#include "reading/AreaFile.h"
#include "reading/Error.h"

namespace tavro {

namespace {

char upper_letter(char ch) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
}

// G and R carry no third argument in the file.
bool takes_three_numbers(char letter) {
  return letter == 'G' || letter == 'R';
}

}  // namespace

bool is_reset_command(char command) {
  switch (command) {
    case 'B':
    case 'D':
    case 'E':
    case 'G':
    case 'H':
    case 'M':
    case 'O':
    case 'P':
    case 'R':
    case 'T':
      return true;
    default:
      return false;
  }
}

bool TAreaReset::HasArg3() const {
  return !takes_three_numbers(upper_letter(Command));
}

void TAreaReset::Read(TAreaFile& f) {
  with_prefix(std::string("#RESETS (letter '") + Command + "'):\r\n", [&] {
    Extra = fread_number(f);
    Arg1 = fread_number(f);
    Arg2 = fread_number(f);
    if (!takes_three_numbers(Command)) Arg3 = fread_number(f);
    fread_to_eol(f);  // comments may follow the numbers
    if (!is_reset_command(Command)) throw Error("Bad command");
  });
}

void TAreaReset::Write(TAreaFile& f) const {
  const char letter = upper_letter(Command);
  if (!is_reset_command(letter)) return;
  fwrite_text(f, std::string_view(&letter, 1));
  for (int32_t number : {Extra, Arg1, Arg2}) {
    fwrite_text(f, " ");
    fwrite_number(f, number);
  }
  if (!takes_three_numbers(letter)) {
    fwrite_text(f, " ");
    fwrite_number(f, Arg3);
  }
  fwrite_eol(f);
}

void TAreaReset::Assign(const TAreaReset& source) {
  Command = source.Command;
  Extra = source.Extra;
  Arg1 = source.Arg1;
  Arg2 = source.Arg2;
  Arg3 = source.Arg3;
}

void TAreaReset::SetCommand(char command, int32_t arg1, int32_t arg2, int32_t arg3) {
  Command = command;
  Extra = 0;
  Arg1 = arg1;
  Arg2 = arg2;
  Arg3 = arg3;
}

void TAreaReset::SetMobile(int32_t room, int32_t mobile, int32_t count) {
  SetCommand('M', mobile, count, room);
}
void TAreaReset::SetObject(int32_t room, int32_t object) {
  SetCommand('O', object, 0, room);
}
void TAreaReset::SetEquip(int32_t object, int32_t wear_location) {
  SetCommand('E', object, 0, wear_location);
}
void TAreaReset::SetPut(int32_t object, int32_t container) {
  SetCommand('P', object, 0, container);
}
void TAreaReset::SetGive(int32_t object) {
  SetCommand('G', object, 0, 0);
}

void TAreaResets::ReadSection(TAreaFile& f) {
  size_t count = 0;
  try {
    for (;;) {
      const char letter = fread_letter(f);
      if (letter == '*') {
        fread_to_eol(f);
        continue;
      }
      if (letter == 'S') return;
      auto reset = std::make_unique<TAreaReset>(this);
      reset->Command = letter;
      reset->Read(f);
      ++count;
      Items.push_back(std::move(reset));
    }
  } catch (const Error& e) {
    throw Error("#RESETS (beyond " + std::to_string(count) + " reset):\r\n" + e.what());
  }
}

void TAreaResets::WriteSection(TAreaFile& f) const {
  fwrite_text(f, "#RESETS\n");
  for (const auto& reset : Items)
    reset->Write(f);
  fwrite_text(f, "S\n\n");
}

TAreaReset& TAreaResets::Add() {
  return *Items.emplace_back(std::make_unique<TAreaReset>(this));
}

TAreaReset& TAreaResets::Insert(size_t index) {
  if (index > Items.size()) index = Items.size();
  return **Items.insert(Items.begin() + static_cast<std::ptrdiff_t>(index),
                        std::make_unique<TAreaReset>(this));
}

}  // namespace tavro
