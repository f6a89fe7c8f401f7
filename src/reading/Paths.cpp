#include "reading/Paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "reading/AreaFile.h"

namespace tavro {

namespace fs = std::filesystem;

namespace {

bool is_separator(char ch) {
  return ch == '\\' || ch == '/';
}

}  // namespace

bool is_absolute_path(std::string_view path) {
  return path.find(":\\") != std::string_view::npos || path.find(":/") == 1 ||
         (!path.empty() && path.front() == '/');
}

std::string native_path(std::string_view path) {
  std::string result(path);
  std::replace(result.begin(), result.end(), '\\', static_cast<char>(fs::path::preferred_separator));
  return result;
}

std::string join_path(std::string_view base, std::string_view part) {
  if (is_absolute_path(part) || base.empty()) return native_path(part);
  std::string result = native_path(base);
  if (!is_separator(result.back())) result += static_cast<char>(fs::path::preferred_separator);
  size_t skip = 0;
  while (skip < part.size() && is_separator(part[skip]))
    ++skip;
  result += native_path(part.substr(skip));
  return result;
}

std::string file_name_part(std::string_view path) {
  size_t cut = path.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string folder_part(std::string_view path) {
  size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut));
}

std::string resolve_path_case(const std::string& path) {
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  fs::path wanted(path);
  fs::path folder = wanted.parent_path();
  if (folder.empty()) folder = ".";
  std::string name = to_upper(wanted.filename().string());
  std::string found;
  int matches = 0;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (to_upper(it->path().filename().string()) == name) {
      found = it->path().string();
      ++matches;
    }
  }
  return matches == 1 ? found : path;
}

}  // namespace tavro
