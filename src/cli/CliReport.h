#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

// Exit statuses of kavel-cli, one per kind of outcome.
enum CliStatus {
  kDone = 0,
  kUsage = 1,
  kPortNotOpen = 2,
  kNoAnswer = 3,
  kCorruptOrRefused = 4,
  kWrongModel = 5,
  kRefusedByRule = 6,
  kHalfChanged = 7,  // the tester holds a change cut short; --repair puts it right
  // The record of changes cannot be read (what it holds pending is unknown)
  // or cannot take a change's first line: nothing written.
  kRecordTrouble = 8,
  // Ended from outside (CliInterruption): 128 + the signal's number, as
  // shells count it; 130 for Ctrl+C.
  kInterrupted = 128,
};

// A command's result, printed as "name: value" lines or as one JSON object.
class CliReport {
 public:
  CliReport(bool json, std::ostream& out, std::ostream& err) : json_(json), out_(out), err_(err) {}

  void Text(const std::string& name, const std::string& value);
  void Number(const std::string& name, long value);
  // A list of texts; in the text form one line each, under the name.
  void List(const std::string& name, const std::vector<std::string>& values);
  // Records of the named fields, each record's values in the fields' order;
  // in the text form one line each, the values a space apart, and in JSON
  // one object each, so that a script picks a field by its name.
  void Records(const std::string& name, const std::vector<std::string>& fields,
               const std::vector<std::vector<std::string>>& records);

  // A value as JSON, and its text form as it stands.
  void Json(const std::string& name, nlohmann::ordered_json json, const std::string& text);

  // Prints the result; answers kDone.
  int Done();
  // Prints the failure (stderr as text, stdout as JSON); answers status.
  int Fail(CliStatus status, const std::string& message);
  // Prints the result all the same, and the trouble with it (stderr as
  // text, in the JSON object as "error"); answers status.
  int Warn(CliStatus status, const std::string& message);

 private:
  bool json_;
  std::ostream& out_;
  std::ostream& err_;
  nlohmann::ordered_json result_ = {{"status", 0}};
  std::string text_;
};
