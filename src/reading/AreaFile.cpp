// Whole-file loading and saving of TAreaFile.
#include "reading/AreaFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <system_error>

#include "reading/Paths.h"

namespace tavro {

namespace fs = std::filesystem;

namespace detail {
void throw_getc_eof() {
  throw Error("getc: EOF encountered on read.");
}
void throw_ungetc_bof() {
  throw Error("ungetc: BOF encountered on unread.");
}
}  // namespace detail

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string quoted(const std::string& path) {
  return "\"" + path + "\"";
}

[[noreturn]] void throw_file_error(const char* what, const std::string& path, int error_number) {
  throw Error(std::string(what) + " " + quoted(path) + ": " + std::strerror(error_number));
}

std::string read_whole_file(const std::string& path) {
  errno = 0;
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) throw_file_error("Cannot open file", path, errno ? errno : ENOENT);
  std::string data;
  // One allocation of the file's size: growing chunk by chunk costs a copy and fresh pages each time.
  std::error_code size_error;
  const auto size = std::filesystem::file_size(path, size_error);
  if (!size_error) data.reserve(static_cast<size_t>(size));
  char chunk[1 << 16];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
    data.append(chunk, got);
  if (std::ferror(file.get())) throw_file_error("Cannot read file", path, errno ? errno : EIO);
  return data;
}

// Translates KOI8-R to Windows-1251 and re-joins the lines (ended by CR LF, LF or a lone CR) with
// CR LF after every line, in one pass; the text ends at its first NUL.
std::string normalise_text(std::string_view raw) {
  size_t end = raw.find('\0');
  if (end != std::string_view::npos) raw = raw.substr(0, end);
  // Each line end grows by at most one byte, and an unterminated last line by two. Sized from the count
  // of line-end bytes, not twice the text: every page of the buffer is touched when it is made.
  const size_t line_ends = static_cast<size_t>(std::count(raw.begin(), raw.end(), '\n')) +
                           static_cast<size_t>(std::count(raw.begin(), raw.end(), '\r'));
  std::string out(raw.size() + line_ends + 2, '\0');
  char* dst = out.data();
  const char* src = raw.data();
  const char* src_end = src + raw.size();
  bool line_open = false;
  while (src < src_end) {
    auto b = static_cast<unsigned char>(*src++);
    if (b == '\r' || b == '\n') {
      if (b == '\r' && src < src_end && *src == '\n') ++src;
      *dst++ = '\r';
      *dst++ = '\n';
      line_open = false;
    } else {
      *dst++ = static_cast<char>(detail::kKoi8ToCp1251[b]);
      line_open = true;
    }
  }
  if (line_open) {
    *dst++ = '\r';
    *dst++ = '\n';
  }
  out.resize(static_cast<size_t>(dst - out.data()));
  return out;
}

void check_size(size_t size, const std::string& what) {
  if (size > static_cast<size_t>(std::numeric_limits<int32_t>::max() - 1)) {
    throw Error("File " + quoted(what) + " is too large to read.");
  }
}

// A name for the temporary that no other file in the folder has yet ("x" mode refuses an existing one).
FileHandle create_temporary(const std::string& target, std::string& temp_path) {
  thread_local std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0;; ++attempt) {
    temp_path = target + ".tmp" + std::to_string(random() % 1000000000u);
    errno = 0;
    FileHandle file(std::fopen(temp_path.c_str(), "wbx"));
    if (file) return file;
    if (errno != EEXIST || attempt == 100) throw_file_error("Cannot write file", target, errno ? errno : EIO);
  }
}

// The file a save should replace: the link's destination for a symbolic link, and the existing file
// of another letter case when the exact name does not exist.
std::string save_target(const std::string& path) {
  std::string target = resolve_path_case(path);
  std::error_code ec;
  if (fs::is_symlink(target, ec)) {
    fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) return resolved.string();
  }
  return target;
}

void copy_permissions(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::file_status status = fs::status(from, ec);
  if (!ec && fs::exists(status)) fs::permissions(to, status.permissions(), ec);
}

}  // namespace

void TAreaFile::load_text(std::string_view text) {
  Buffer = normalise_text(text);
  check_size(Buffer.size(), "(text)");
  Length = static_cast<int32_t>(Buffer.size());
  Position = 1;
}

void TAreaFile::load_file(const std::string& path) {
  std::string actual = resolve_path_case(path);
  std::string raw = read_whole_file(actual);
  Buffer = normalise_text(raw);
  check_size(Buffer.size(), actual);
  Length = static_cast<int32_t>(Buffer.size());
  Position = 1;
}

void TAreaFile::clear() {
  Buffer.clear();
  Position = 0;
  Length = 0;
}

void TAreaFile::save_file(const std::string& path) const {
  std::string target = save_target(path);
  std::string temp_path;
  FileHandle file = create_temporary(target, temp_path);
  auto fail = [&](int error_number) {
    file.reset();
    std::remove(temp_path.c_str());
    throw_file_error("Cannot write file", target, error_number ? error_number : EIO);
  };
  errno = 0;
  if (std::fwrite(Buffer.data(), 1, Buffer.size(), file.get()) != Buffer.size()) fail(errno);
  if (std::fflush(file.get()) != 0) fail(errno);
  if (std::fclose(file.release()) != 0) fail(errno);
  copy_permissions(target, temp_path);
  std::error_code ec;
  fs::rename(temp_path, target, ec);
  if (ec) fail(ec.value());
}

}  // namespace tavro
