#pragma once
// Reset commands of an area (#RESETS), in file order: the order carries meaning (an E, G or P reset
// belongs to the M or O reset before it).
#include <cstdint>
#include <memory>
#include <vector>

namespace tavro {

class TArea;
class TAreaFile;
class TAreaResets;

class TAreaReset {
 public:
  explicit TAreaReset(TAreaResets* owner) : Owner(owner) {}

  TAreaResets* Owner;
  char Command = 'M';
  int32_t Extra = 0;
  int32_t Arg1 = 0;
  int32_t Arg2 = 0;
  int32_t Arg3 = 0;

  // Reads the numbers after the letter (Command must be set) and skips the rest of the line.
  void Read(TAreaFile& f);
  // Writes the line; nothing for a letter the server does not know.
  void Write(TAreaFile& f) const;
  void Assign(const TAreaReset& source);

  // G and R carry three numbers in the file, every other letter four.
  bool HasArg3() const;

  void SetMobile(int32_t room, int32_t mobile, int32_t count);
  void SetObject(int32_t room, int32_t object);
  void SetEquip(int32_t object, int32_t wear_location);
  void SetPut(int32_t object, int32_t container);
  void SetGive(int32_t object);

 private:
  void SetCommand(char command, int32_t arg1, int32_t arg2, int32_t arg3);
};

// True for the letters a reset may carry: B, D, E, G, H, M, O, P, R, T (upper case only).
bool is_reset_command(char command);

class TAreaResets {
 public:
  explicit TAreaResets(TArea* area) : Area(area) {}

  TArea* Area;
  std::vector<std::unique_ptr<TAreaReset>> Items;  // file order

  void Clear() { Items.clear(); }
  // Reads the body of #RESETS (after the section name) up to its "S".
  void ReadSection(TAreaFile& f);
  // Writes the whole section, also when the list is empty.
  void WriteSection(TAreaFile& f) const;
  TAreaReset& Add();                 // appends a new reset ('M', all zero)
  TAreaReset& Insert(size_t index);  // a new reset at index (the end when past it)

  void Read(TAreaFile& f) { ReadSection(f); }
  void Write(TAreaFile& f) const { WriteSection(f); }
};

}  // namespace tavro
