#pragma once
// Mud programs: the scripts attached to mobiles, objects and rooms. A list is read from an inline
// block ('>' lines closed by '|'), and program files under the server's mudprogs folder hold the
// same block. The #MUDPROGS and #OBJPROGS sections attach such files to mobiles and objects; they
// are never written: their programs are written inline after their owner.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tavro {

class TWorld;
class TAreaFile;
class TWorldProgs;

class TWorldProg {
 public:
  explicit TWorldProg(TWorldProgs* owner) : Owner(owner) {}

  // Copies type, arguments and body (not the owner).
  void Assign(const TWorldProg& source);
  // Reads the program block of the file mudprogs\file_name under the world's MudPath and appends its
  // programs to Owner. Files that name each other in a ring fail with a message naming the file.
  void LoadFromFile(const std::string& file_name);

  TWorldProgs* Owner;
  std::string ProgType;  // as read, in its own letter case
  std::string Arguments;
  std::string Body;  // CR LF line breaks in memory
};

class TWorldProgs {
 public:
  explicit TWorldProgs(TWorld* world) : World(world) {}
  TWorldProgs(const TWorldProgs&) = delete;
  TWorldProgs& operator=(const TWorldProgs&) = delete;

  void Clear() { Items.clear(); }
  // Reads an inline block starting at its first '>'; the closing '|' is consumed.
  void Read(TAreaFile& f);
  // Writes the block, or nothing when the list is empty.
  void Write(TAreaFile& f) const;
  // Clears, then appends copies in order.
  void Assign(const TWorldProgs& source);
  // Appends a new program owned by this list.
  TWorldProg& Add();
  bool empty() const { return Items.empty(); }

  TWorld* World;  // for ProgTypes, InFileProgName and MudPath; null outside a world
  std::vector<std::unique_ptr<TWorldProg>> Items;
};

// The names other parts of the editor use for the same records.
using TMudProg = TWorldProg;
using TMudProgs = TWorldProgs;

// How a program type reads in a world: the in-file marker, a known trigger, or unknown.
enum class ProgTypeKind { InFile, Known, Unknown };
ProgTypeKind classify_prog_type(const TWorld* world, const std::string& type);

// Reads the program block of the file mudprogs\file_name under the list's world and appends its
// programs to the list.
void load_progs_file(TWorldProgs& list, const std::string& file_name);

// The body of a #MUDPROGS or #OBJPROGS section: 'M' lines naming a record's vnum and a program file,
// '*' comments, ended by 'S'. progs_of gives the program list of this area's record with a vnum, or
// null when the area has none.
void read_progs_section(TAreaFile& f, const std::function<TWorldProgs*(int32_t vnum)>& progs_of);

}  // namespace tavro
