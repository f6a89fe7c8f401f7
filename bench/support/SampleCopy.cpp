#include "support/SampleCopy.h"

#include <unistd.h>

namespace tavro::bench {

namespace fs = std::filesystem;

TSampleCopy::TSampleCopy(const std::string& prefix)
    : Root(fs::temp_directory_path() / (prefix + std::to_string(::getpid()))) {
  fs::remove_all(Root);
  fs::copy(TAVRO_SAMPLE_DIR, Root, fs::copy_options::recursive);
}

TSampleCopy::~TSampleCopy() {
  std::error_code ignored;
  fs::remove_all(Root, ignored);
}

}  // namespace tavro::bench
