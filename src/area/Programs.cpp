#include "area/Programs.h"

#include <algorithm>

#include "reading/AreaFile.h"
#include "reading/Error.h"
#include "reading/Paths.h"
#include "world/World.h"

namespace tavro {

namespace {

const char* const kLoadProgsPrefix = "load_progs:\r\n";

std::string program_file_path(const TWorld& world, const std::string& file_name) {
  return resolve_path_case(join_path(join_path(world.MudPath, "mudprogs"), file_name));
}

// Reads a program block and every program file it names, without recursion: each file named by an
// in-file marker becomes a frame on an explicit stack, and a file already on the stack is a ring.
// An error carries one "load_progs:" line per block being read when it happened, as nested blocks
// would give it.
class BlockReader {
 public:
  explicit BlockReader(TWorldProgs& list) : list_(list) {}

  void read_inline(TAreaFile& f) {
    guarded([&] {
      frames_.push_back(Frame{nullptr, &f, {}, {}});
      expect_block_start(f);
      read_frames();
    });
  }

  void read_file(const std::string& file_name) {
    guarded([&] {
      open_file(file_name);
      read_frames();
    });
  }

 private:
  struct Frame {
    std::unique_ptr<TAreaFile> owned;
    TAreaFile* file;
    std::string path;  // empty for the inline block of an area file
    std::string name;
  };

  template <class Body>
  void guarded(Body&& body) {
    try {
      body();
    } catch (const Error& e) {
      std::string prefix;
      for (size_t i = 0; i < frames_.size(); ++i)
        prefix += kLoadProgsPrefix;
      frames_.clear();
      throw Error(prefix + e.what());
    }
  }

  static void expect_block_start(TAreaFile& f) {
    if (fread_letter(f) != '>') throw Error("> not found.");
  }

  void open_file(const std::string& file_name) {
    if (list_.World == nullptr)
      throw Error("Program file \"" + file_name + "\" needs a world to be read from");
    std::string path = program_file_path(*list_.World, file_name);
    auto file = std::make_unique<TAreaFile>();
    file->load_file(path);
    check_no_ring(path, file_name);
    TAreaFile* raw = file.get();
    frames_.push_back(Frame{std::move(file), raw, path, file_name});
    expect_block_start(*raw);
  }

  void check_no_ring(const std::string& path, const std::string& file_name) const {
    auto first =
        std::find_if(frames_.begin(), frames_.end(), [&](const Frame& fr) { return fr.path == path; });
    if (first == frames_.end()) return;
    std::string ring;
    for (auto it = first; it != frames_.end(); ++it)
      ring += "\"" + it->name + "\" -> ";
    throw Error("Program file \"" + file_name + "\" names itself through other program files: " + ring +
                "\"" + file_name + "\"");
  }

  void read_frames() {
    while (!frames_.empty()) {
      TAreaFile& f = *frames_.back().file;
      std::string type = fread_word(f);
      switch (classify_prog_type(list_.World, type)) {
        case ProgTypeKind::InFile:
          open_file(fread_string(f));
          continue;  // the marker's line is finished when its file is done
        case ProgTypeKind::Unknown:
          throw Error("Bad Prog: " + type);
        case ProgTypeKind::Known:
          read_program(f, type);
          break;
      }
      next_program();
    }
  }

  void read_program(TAreaFile& f, const std::string& type) {
    auto prog = std::make_unique<TWorldProg>(&list_);
    prog->ProgType = type;
    prog->Arguments = fread_string(f);
    fread_to_eol(f);
    prog->Body = fread_string(f);
    fread_to_eol(f);
    list_.Items.push_back(std::move(prog));
  }

  // After a program: '>' goes on with the next one, '|' closes the current block (and, for a program
  // file, finishes the in-file marker's line of the block that named it).
  void next_program() {
    while (!frames_.empty()) {
      TAreaFile& f = *frames_.back().file;
      char ch = fread_letter(f);
      if (ch == '>') return;
      if (ch != '|') throw Error(std::string("Bad letter in Prog: ") + ch);
      frames_.pop_back();
      if (!frames_.empty()) fread_to_eol(*frames_.back().file);
    }
  }

  TWorldProgs& list_;
  std::vector<Frame> frames_;
};

}  // namespace

ProgTypeKind classify_prog_type(const TWorld* world, const std::string& type) {
  if (world == nullptr) return ProgTypeKind::Unknown;
  std::string upper = to_upper(type);
  if (!world->InFileProgName.empty() && upper == to_upper(world->InFileProgName)) return ProgTypeKind::InFile;
  for (const std::string& known : world->ProgTypes)
    if (to_upper(known) == upper) return ProgTypeKind::Known;
  return ProgTypeKind::Unknown;
}

void TWorldProg::Assign(const TWorldProg& source) {
  ProgType = source.ProgType;
  Arguments = source.Arguments;
  Body = source.Body;
}

void TWorldProg::LoadFromFile(const std::string& file_name) {
  load_progs_file(*Owner, file_name);
}

void TWorldProgs::Read(TAreaFile& f) {
  BlockReader(*this).read_inline(f);
}

void TWorldProgs::Write(TAreaFile& f) const {
  if (Items.empty()) return;
  for (const auto& prog : Items) {
    fwrite_text(f, "> ");
    fwrite_text(f, prog->ProgType);
    fwrite_text(f, " ");
    fwrite_string(f, prog->Arguments);
    fwrite_eol(f);
    fwrite_string(f, prog->Body);
    fwrite_eol(f);
  }
  fwrite_text(f, "|");
  fwrite_eol(f);
}

void TWorldProgs::Assign(const TWorldProgs& source) {
  if (&source == this) return;
  Clear();
  for (const auto& prog : source.Items)
    Add().Assign(*prog);
}

TWorldProg& TWorldProgs::Add() {
  Items.push_back(std::make_unique<TWorldProg>(this));
  return *Items.back();
}

void load_progs_file(TWorldProgs& list, const std::string& file_name) {
  BlockReader(list).read_file(file_name);
}

void read_progs_section(TAreaFile& f, const std::function<TWorldProgs*(int32_t vnum)>& progs_of) {
  for (;;) {
    char ch = fread_letter(f);
    if (ch == 'S' || ch == 's') {
      fread_to_eol(f);
      return;
    }
    if (ch == '*') {
      fread_to_eol(f);
    } else if (ch == 'M' || ch == 'm') {
      int32_t vnum = fread_number(f);
      std::string file_name = fread_word(f);
      TWorldProgs* list = progs_of(vnum);
      if (list == nullptr) throw Error("VNum " + std::to_string(vnum) + " doesnt exist.");
      load_progs_file(*list, file_name);
    } else {
      throw Error(std::string("Bad command '") + ch + "'.");
    }
  }
}

}  // namespace tavro
