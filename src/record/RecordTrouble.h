#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "PathText.h"

// A record of changes that is there but cannot be read: what it holds
// pending is unknown, so nothing may be written to a tester on its word.
struct RecordUnreadable : std::runtime_error {
  RecordUnreadable(std::filesystem::path unreadable, std::string why)
      : std::runtime_error("the record of changes " + Utf8Of(unreadable) +
                           " cannot be read: " + why),
        file(std::move(unreadable)),
        reason(std::move(why)) {}

  std::filesystem::path file;
  std::string reason;
};

// A change of two or more locations whose first line could not be put in
// the record: made, it would leave no trace if cut short, so it is not
// made. Raised before anything is sent.
struct ChangeNotRecorded : std::runtime_error {
  explicit ChangeNotRecorded(std::string why)
      : std::runtime_error("the change was not made: the record of changes cannot take its "
                           "first line (" +
                           why + ")"),
        reason(std::move(why)) {}

  std::string reason;
};
