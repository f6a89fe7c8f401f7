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

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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

// A temporary beside the target, removed again unless it was renamed over the target.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target);
  ~TemporaryFile() {
    file_.reset();
    if (!kept_) std::remove(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& path() const { return path_; }
  std::FILE* file() const { return file_.get(); }
  // Closes the file; false (errno set) when what was buffered could not be written.
  bool close() { return std::fclose(file_.release()) == 0; }
  void keep() { kept_ = true; }

 private:
  std::string path_;
  FileHandle file_;
  bool kept_ = false;
};

// A name for the temporary that no other file in the folder has yet ("x" mode refuses an existing one).
TemporaryFile::TemporaryFile(const std::string& target) {
  thread_local std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0;; ++attempt) {
    path_ = target + ".tmp" + std::to_string(random() % 1000000000u);
    errno = 0;
    file_.reset(std::fopen(path_.c_str(), "wbx"));
    if (file_) return;
    if (errno != EEXIST || attempt == 100) throw_file_error("Cannot write file", target, errno ? errno : EIO);
  }
}

// Forces what was written to the disk, so that the rename never puts an empty or half-written file in
// the target's place after a crash.
bool sync_to_disk(std::FILE* file) {
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

// Makes the rename itself durable; a failure here leaves a complete file either way.
void sync_folder(const std::string& path) {
#ifndef _WIN32
  const std::string folder = fs::path(path).parent_path().string();
  const int descriptor = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
#else
  (void)path;
#endif
}

// Why an existing target must be left alone, or empty when it may be replaced. A rename would put a
// plain file in the place of a pipe, a device or a folder, and would replace a read-only file: the
// file's own permission bits are checked, because root may write whatever the bits say.
std::string refusal(const std::string& target) {
  std::error_code ec;
  const fs::file_status status = fs::status(target, ec);
  switch (status.type()) {
    case fs::file_type::regular:
      break;
    case fs::file_type::directory:
      return "it is a folder, not a file";
    case fs::file_type::fifo:
      return "it is a pipe, not a regular file";
    case fs::file_type::character:
    case fs::file_type::block:
      return "it is a device, not a regular file";
    case fs::file_type::socket:
      return "it is a socket, not a regular file";
    default:
      return {};  // absent (a new file), or unknown: creating the temporary reports what is wrong
  }
  constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & kWrite) == fs::perms::none) return "it is read-only";
#ifndef _WIN32
  // Write bits that are not ours: another user's file.
  if (access(target.c_str(), W_OK) != 0) return errno == EACCES ? "it is read-only" : std::strerror(errno);
#endif
  return {};
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
  const std::string target = save_target(path);
  const std::string refused = refusal(target);
  if (!refused.empty()) throw Error("Cannot write file " + quoted(target) + ": " + refused);
  TemporaryFile temp(target);
  const auto fail = [&](int error_number) {
    throw_file_error("Cannot write file", target, error_number ? error_number : EIO);
  };
  errno = 0;
  if (std::fwrite(Buffer.data(), 1, Buffer.size(), temp.file()) != Buffer.size()) fail(errno);
  if (std::fflush(temp.file()) != 0 || !sync_to_disk(temp.file())) fail(errno);
  if (!temp.close()) fail(errno);
  copy_permissions(target, temp.path());
  std::error_code ec;
  fs::rename(temp.path(), target, ec);
  if (ec) fail(ec.value());
  temp.keep();
  sync_folder(target);
}

}  // namespace tavro
