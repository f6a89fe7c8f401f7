// The token readers: the grammar of the server's text files. Each reader puts its own name in front
// of any error raised inside it, so a message tells the path from the outer reader to the fault.
#include <cstring>
#include <string>

#include "reading/AreaFile.h"

namespace tavro {

namespace {

constexpr const char* kEof = "EOF encountered on read.";

// Index of the next character, 0-based.
size_t next_index(const TAreaFile& f) {
  return static_cast<size_t>(f.Position - 1);
}
// Moves the reader to a 0-based index (Length means at end of text).
void seek(TAreaFile& f, size_t index) {
  f.Position = static_cast<int32_t>(index) + 1;
}

// fread_letter without its own entry point, for readers that start with it.
char read_letter(TAreaFile& f) {
  const char* data = f.Buffer.data();
  size_t i = f.at_eof() ? static_cast<size_t>(f.Length) : next_index(f);
  const auto end = static_cast<size_t>(f.Length);
  while (i < end && is_space(data[i]))
    ++i;
  if (i >= end) {
    seek(f, end);
    throw Error(std::string("fread_letter: ") + kEof);
  }
  seek(f, i + 1);
  return data[i];
}

bool is_flag_letter(char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'f');
}

// What a '|' chain's readers share: the k-th term of a chain is read k readers deep in the
// server's recursive grammar, so an error in it carries the reader's prefix k times. The chain is
// read in a loop here, so that its length cannot exhaust the stack, and the prefixes are added back.
[[noreturn]] void rethrow_in_term(const char* prefix, size_t depth, const Error& e) {
  std::string message;
  const size_t prefix_length = std::strlen(prefix);
  message.reserve(prefix_length * depth + std::strlen(e.what()));
  for (size_t k = 0; k < depth; ++k)
    message.append(prefix, prefix_length);
  message += e.what();
  throw Error(message);
}

// Optional '+' then optional '-' in front of a term; returns whether it was '-'.
bool read_sign(TAreaFile& f, char& ch) {
  if (ch == '+') ch = f.getc();
  if (ch != '-') return false;
  ch = f.getc();
  return true;
}

// After a term: a '|' continues the chain; any other non-blank character is left unread.
bool chain_continues(TAreaFile& f, char ch) {
  if (ch == '|') return true;
  if (!is_space(ch)) f.ungetc();
  return false;
}

// Scans a tilde-terminated text from its first character (already consumed by read_letter). Returns
// the raw span; the terminator, when found, is consumed. Text that ends first is the whole span.
std::string_view scan_terminated(TAreaFile& f, bool colon_ends) {
  const size_t start = next_index(f) - 1;
  const auto end = static_cast<size_t>(f.Length);
  const char* data = f.Buffer.data();
  size_t stop = start;
  if (colon_ends) {
    while (stop < end && data[stop] != '~' && data[stop] != ':')
      ++stop;
  } else {
    const void* tilde = std::memchr(data + start, '~', end - start);
    stop = tilde ? static_cast<size_t>(static_cast<const char*>(tilde) - data) : end;
  }
  seek(f, stop < end ? stop + 1 : end);
  return std::string_view(data + start, stop - start);
}

// Appends text without its CRs; a line end becomes CR LF when crlf is set, a bare LF otherwise.
void append_lines(std::string& out, std::string_view text, bool crlf) {
  out.reserve(out.size() + text.size() + (crlf ? text.size() / 32 + 2 : 0));
  while (!text.empty()) {
    size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    if (line.find('\r') == std::string_view::npos) {
      out.append(line);
    } else {
      for (char c : line) {
        if (c != '\r') out += c;
      }
    }
    if (lf == std::string_view::npos) break;
    if (crlf) out += '\r';
    out += '\n';
    text.remove_prefix(lf + 1);
  }
}

}  // namespace

char fread_letter(TAreaFile& f) {
  return read_letter(f);
}

std::string fread_word(TAreaFile& f) {
  return with_prefix("fread_word: ", [&] {
    const char first = read_letter(f);
    const bool quoted = first == '"' || first == '\'';
    const char* data = f.Buffer.data();
    const size_t start = next_index(f);
    const auto end = static_cast<size_t>(f.Length);
    size_t stop = start;
    if (quoted) {
      while (stop < end && data[stop] != first)
        ++stop;
    } else {
      while (stop < end && !is_space(data[stop]))
        ++stop;
    }
    if (stop >= end) {
      seek(f, end);
      throw Error(kEof);
    }
    seek(f, stop + 1);
    std::string word;
    word.reserve(stop - start + 1);
    if (!quoted) word += first;
    word.append(data + start, stop - start);
    return word;
  });
}

int32_t fread_number(TAreaFile& f) {
  size_t depth = 0;
  uint32_t total = 0;
  try {
    for (;;) {
      ++depth;
      char ch = read_letter(f);
      const bool negative = read_sign(f, ch);
      if (!is_digit(ch)) throw Error(std::string("Bad format. (") + ch + ")");
      uint32_t value = 0;
      while (is_digit(ch)) {
        if (f.at_eof()) throw Error(kEof);
        value = value * 10u + static_cast<uint32_t>(ch - '0');
        ch = f.getc();
      }
      total += negative ? 0u - value : value;
      if (!chain_continues(f, ch)) return static_cast<int32_t>(total);
    }
  } catch (const Error& e) {
    rethrow_in_term("fread_number: ", depth, e);
  }
}

uint32_t fread_flag(TAreaFile& f) {
  size_t depth = 0;
  uint32_t total = 0;
  // A minus sign negates its term together with all the terms after it (-A|B is -3), so each term
  // counts with the product of the signs met so far.
  uint32_t sign = 1;
  try {
    for (;;) {
      ++depth;
      char ch = read_letter(f);
      if (read_sign(f, ch)) sign = 0u - sign;
      uint32_t value = 0;
      if (is_digit(ch)) {
        while (is_digit(ch)) {
          value = value * 10u + static_cast<uint32_t>(ch - '0');
          if (f.at_eof()) throw Error(kEof);
          ch = f.getc();
        }
      } else {
        while (is_flag_letter(ch)) {
          value += flag_value(ch);
          if (f.at_eof()) throw Error(kEof);
          ch = f.getc();
        }
      }
      total += sign * value;
      if (!chain_continues(f, ch)) return total;
    }
  } catch (const Error& e) {
    rethrow_in_term("fread_flag: ", depth, e);
  }
}

namespace {

// Skips blanks up to a value on the current line; false when the line ends first (left unread).
bool value_on_line(TAreaFile& f) {
  for (;;) {
    if (f.at_eof()) throw Error(kEof);
    char ch = f.getc();
    if (ch == '\n' || ch == '\r') {
      f.ungetc();
      return false;
    }
    if (!is_space(ch)) {
      f.ungetc();
      return true;
    }
  }
}

}  // namespace

int32_t fread_number_eol(TAreaFile& f) {
  return with_prefix("fread_number_eol: ", [&] { return value_on_line(f) ? fread_number(f) : 0; });
}

uint32_t fread_flag_eol(TAreaFile& f) {
  return with_prefix("fread_flag_eol: ", [&] { return value_on_line(f) ? fread_flag(f) : 0u; });
}

TBitVector fread_bitvector(TAreaFile& f) {
  return with_prefix("fread_bitvector: ", [&] {
    TBitVector v;
    size_t index = 0;
    for (;;) {
      uint32_t word = fread_flag(f);
      if (index < v.Words.size()) v.Words[index] = word;  // parts beyond the fourth are dropped
      ++index;
      if (f.getc() != '&') {
        f.ungetc();
        return v;
      }
    }
  });
}

std::string fread_string(TAreaFile& f) {
  return with_prefix("fread_string: ", [&] {
    read_letter(f);
    std::string result;
    append_lines(result, scan_terminated(f, false), true);
    return result;
  });
}

std::string fread_padej(TAreaFile& f) {
  return with_prefix("fread_padej: ", [&] {
    read_letter(f);
    std::string result;
    append_lines(result, scan_terminated(f, true), false);
    return result;
  });
}

void fread_to_eol(TAreaFile& f) {
  with_prefix("fread_to_eol: ", [&] {
    std::string_view rest = f.rest();
    size_t line_end = rest.find_first_of("\r\n");
    if (line_end == std::string_view::npos) {
      seek(f, static_cast<size_t>(f.Length));
      throw Error(kEof);
    }
    f.Position += static_cast<int32_t>(line_end);
  });
}

}  // namespace tavro
