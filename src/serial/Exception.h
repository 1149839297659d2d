#pragma once

#include <exception>
#include <string>
#include <utility>

// The root of every failure the program reports: its message is what the
// user finally reads.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message, std::string details = {})
      : Message(std::move(message)), Details(std::move(details)) {}
  const char* what() const noexcept override { return Message.c_str(); }

  std::string Message;
  // What the system said of the failure, for whoever looks behind the
  // message's "Show Details..." button; usually empty.
  std::string Details;
};
