#pragma once

#include <exception>
#include <string>
#include <utility>

// The root of every failure the program reports: it carries only its message,
// which is what the user finally reads.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }

  std::string Message;
};
