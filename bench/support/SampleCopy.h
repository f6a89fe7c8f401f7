#pragma once
// A private copy of the bundled sample world for one benchmark program: building a world writes the
// server root back into the settings file, which must not touch the repository.
#include <filesystem>
#include <string>

namespace tavro::bench {

class TSampleCopy {
 public:
  // A fresh copy in the temporary folder, named after prefix and this process.
  explicit TSampleCopy(const std::string& prefix);
  ~TSampleCopy();
  TSampleCopy(const TSampleCopy&) = delete;
  TSampleCopy& operator=(const TSampleCopy&) = delete;

  std::filesystem::path Root;
};

}  // namespace tavro::bench
