// Case sets: a name in six grammatical cases as one text, the parts common to all forms once and a
// ':' group of alternatives wherever the forms differ.
#include "reading/Cases.h"

#include <algorithm>
#include <span>
#include <vector>

namespace tavro {

namespace {

bool is_word_break(char ch) {
  return ch == ' ' || ch == '-';
}

enum class DecodeState { Copying, Counting, CopyingAlternative, Skipping };

// The folding of any number of forms.
class CaseFolder {
 public:
  explicit CaseFolder(std::span<const std::string> forms) : forms_(forms), positions_(forms.size(), 0) {}

  std::string fold() {
    for (;;) {
      copy_common_part();
      if (all_exhausted()) return result_;
      if (all_on_word_breaks()) {
        pass_mismatched_breaks();
      } else {
        for (size_t i = 0; i < forms_.size(); ++i)
          append_case_segment(result_, forms_[i], positions_[i]);
      }
    }
  }

 private:
  bool exhausted(size_t i) const { return positions_[i] >= forms_[i].size(); }
  char current(size_t i) const { return forms_[i][positions_[i]]; }

  bool all_exhausted() const {
    for (size_t i = 0; i < forms_.size(); ++i) {
      if (!exhausted(i)) return false;
    }
    return true;
  }

  // Characters every form has at its position are common text.
  void copy_common_part() {
    while (!exhausted(0)) {
      const char ch = current(0);
      for (size_t i = 1; i < forms_.size(); ++i) {
        if (exhausted(i) || current(i) != ch) return;
      }
      result_ += ch;
      for (size_t& position : positions_)
        ++position;
    }
  }

  // True when no form could give a group its alternative: each one stands on a space or hyphen, or
  // is exhausted. The forms then disagree on where their words break.
  bool all_on_word_breaks() const {
    for (size_t i = 0; i < forms_.size(); ++i) {
      if (!exhausted(i) && !is_word_break(current(i))) return false;
    }
    return true;
  }

  // Forms whose words do not line up (a space against a hyphen, or more words in some forms than in
  // others) cannot be written exactly: a group ends at a space or hyphen, so no alternative can hold
  // one. The folding then goes on word by word: the break of the first form that still has text
  // becomes common, every form that stands on a break steps past its own, and an exhausted form gives
  // empty alternatives from there on. Each form keeps its own words; only the kind of break between
  // them, and a trailing break in a form with fewer words, may differ from what was given.
  void pass_mismatched_breaks() {
    for (size_t i = 0; i < forms_.size(); ++i) {
      if (!exhausted(i)) {
        result_ += current(i);
        break;
      }
    }
    for (size_t i = 0; i < forms_.size(); ++i) {
      if (!exhausted(i)) ++positions_[i];
    }
  }

  std::span<const std::string> forms_;
  std::vector<size_t> positions_;
  std::string result_;
};

}  // namespace

std::string decode_case(std::string_view set, int n) {
  if (n == 0) n = 1;
  if (n < 0 || n > 6) return {};
  DecodeState state = DecodeState::Copying;
  int counter = 0;
  std::string result;
  result.reserve(set.size());
  for (char ch : set) {
    if (ch == ':') {
      // The rules are applied in turn to the same colon, so one colon may pass through two of them.
      if (state == DecodeState::Copying) {
        counter = n;
        state = DecodeState::Counting;
      }
      if (state == DecodeState::CopyingAlternative) {
        counter = 7 - n;
        state = DecodeState::Skipping;
      }
      if (state == DecodeState::Counting && --counter <= 0) state = DecodeState::CopyingAlternative;
      if (state == DecodeState::Skipping && --counter <= 0) state = DecodeState::Copying;
      continue;
    }
    if (is_word_break(ch)) state = DecodeState::Copying;
    if (state == DecodeState::Copying || state == DecodeState::CopyingAlternative) result += ch;
  }
  return result;
}

std::string encode_cases(const std::array<std::string, 6>& forms) {
  return CaseFolder(forms).fold();
}

std::string encode_cases3(const std::array<std::string, 3>& forms) {
  return CaseFolder(forms).fold();
}

int case_not_kept(const std::array<std::string, 6>& forms) {
  return form_not_kept(encode_cases(forms), forms);
}

int form_not_kept(const std::string& set, std::span<const std::string> forms) {
  for (size_t i = 0; i < forms.size(); ++i)
    if (decode_case(set, static_cast<int>(i) + 1) != forms[i]) return static_cast<int>(i) + 1;
  return 0;
}

void append_case_segment(std::string& result, std::string_view form, size_t& pos) {
  result += ':';
  while (pos < form.size() && !is_word_break(form[pos]))
    result += form[pos++];
}

}  // namespace tavro
