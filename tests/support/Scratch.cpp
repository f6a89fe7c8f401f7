#include "support/Scratch.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace tavro::test {

ScratchDir::ScratchDir() {
  static std::atomic<int> counter{0};
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("tavro-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;  // a test may have taken the write permission away
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ignored);
  std::filesystem::remove_all(path_, ignored);
}

void write_file(const std::string& path, std::string_view bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace tavro::test
