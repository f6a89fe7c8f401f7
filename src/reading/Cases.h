#pragma once
// A name in six grammatical cases folded into one compact text (common parts once, ':' groups where
// the forms differ).
#include <array>
#include <span>
#include <string>
#include <string_view>

namespace tavro {

std::string decode_case(std::string_view set, int n);
std::string encode_cases(const std::array<std::string, 6>& forms);
std::string encode_cases3(const std::array<std::string, 3>& forms);
// Appends ':' and the form's characters from pos (0-based) up to the next space or hyphen.
void append_case_segment(std::string& result, std::string_view form, size_t& pos);

// The first case (1 to 6) whose form would not come back as given after folding the six forms into
// one set and decoding it again, 0 when every form comes back. A ':' in a form, or forms whose words
// are not separated by the same spaces and hyphens, fold into a set that decodes differently.
int case_not_kept(const std::array<std::string, 6>& forms);
// The same for any number of forms already folded into set: the first form (counted from 1) that
// decoding set does not give back, 0 when all come back.
int form_not_kept(const std::string& set, std::span<const std::string> forms);

}  // namespace tavro
