#pragma once
// Scratch folders and whole-file reads and writes for the tests.
#include <filesystem>
#include <string>
#include <string_view>

namespace tavro::test {

// A fresh empty folder under the system's temporary folder, removed with the object.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Writes bytes as they are, creating the folders on the way.
void write_file(const std::string& path, std::string_view bytes);
std::string read_file(const std::string& path);

}  // namespace tavro::test
