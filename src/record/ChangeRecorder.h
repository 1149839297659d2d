#pragma once

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "ChangeRecord.h"
#include "KavelMeter.h"

// Words for what a change asked, from the locations it touched.
using ChangeWords = std::function<std::string(const std::vector<LocationWrite>&)>;

ChangeWords VoltageChangeWords(std::uint16_t from, std::uint16_t to);
ChangeWords AutoSetupChangeWords(std::uint8_t to);

// The outcome of a change from its locations: done when every one took,
// half-changed when any may hold either its old or its new bytes, put-back
// when the ones sent were restored, not-written when none was sent.
std::string OutcomeOf(const std::vector<LocationWrite>& locations);

// Now, UTC, ISO 8601 with milliseconds: 2026-12-07T18:40:01.123Z.
std::string UtcTimeNow();

// Writes the record of one program's run: every change made to a tester, as
// it came out. A record that cannot be written never stops a change; the
// user is told so once per run, in a note the program shows with the
// change's message.
class ChangeRecorder {
 public:
  ChangeRecorder(std::string program, std::string version);

  // The record as the environment names it now.
  ChangeRecord Record() const { return ChangeRecord(ChangeRecordPath()); }

  // A line for what happened to the meter's tester on the port, now.
  ChangeLine LineFor(const TMeter& meter, const std::string& port, const std::string& change,
                     const std::vector<LocationWrite>& locations, const std::string& outcome) const;
  // Appends the line, flushed to the disk before anything shows its outcome.
  void Write(const ChangeLine& line);
  // The note for the user on a record that could not be written, once in a
  // run; empty otherwise.
  std::string TakeNote();

  // Runs a settings write on the meter and records what came of it, whether
  // it returns or raises.
  template <class Operation>
  auto Recorded(TMeter& meter, const std::string& port, const ChangeWords& words, Operation write) {
    meter.Touched.clear();
    const auto record = [&] {
      Write(LineFor(meter, port, words(meter.Touched), meter.Touched, OutcomeOf(meter.Touched)));
    };
    try {
      if constexpr (std::is_void_v<decltype(write())>) {
        write();
        record();
      } else {
        auto result = write();
        record();
        return result;
      }
    } catch (...) {
      record();
      throw;
    }
  }

 private:
  std::string program_;
  std::string version_;
  std::string computer_;
  std::string user_;
  bool troubleTold_ = false;
  std::string note_;
};
