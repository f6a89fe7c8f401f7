#pragma once
// The one error type of the core: a message text, built up layer by layer as it travels outwards.
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace tavro {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Runs body; an Error raised inside it comes out with prefix in front of its message.
template <class Body>
decltype(auto) with_prefix(std::string_view prefix, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (const Error& e) {
    throw Error(std::string(prefix) + e.what());
  }
}

}  // namespace tavro
