#pragma once

#include <exception>
#include <string>

// The message of the failure of class E that operation raises; another
// failure or none is told apart in the text, so an assertion names it.
template <class E, class F>
std::string MessageOf(F operation) {
  try {
    operation();
  } catch (const E& failure) {
    return failure.Message;
  } catch (const std::exception& other) {
    return std::string("other failure: ") + other.what();
  }
  return "nothing raised";
}
