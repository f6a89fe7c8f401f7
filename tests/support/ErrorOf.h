#pragma once
// The message of the tavro::Error that a piece of test code raises.
#include <gtest/gtest.h>

#include <string>

#include "reading/Error.h"

namespace tavro::test {

// The message of the Error that body throws; fails the test when nothing is thrown.
template <class Body>
std::string error_of(Body&& body) {
  try {
    body();
  } catch (const tavro::Error& e) {
    return e.what();
  }
  ADD_FAILURE() << "no error was raised";
  return {};
}

}  // namespace tavro::test
