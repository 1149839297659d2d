#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "ChangeRecord.h"
#include "KavelMeter.h"
#include "RecordTrouble.h"

// What the user asked of a tester, as data that words in any language can be
// made of; the record keeps it beside its English words.
struct Asked {
  std::string action = kActionChange;
  std::string setting;  // nominal-voltage or auto-mode
  std::optional<std::int64_t> from;
  std::optional<std::int64_t> to;
  std::string about;     // the half-change a repair, check or forget deals with
  bool settles = false;  // a check or forget that puts it to rest
  std::string words;     // the English words when the fields do not make them
};

Asked VoltageChange(std::uint16_t from, std::uint16_t to);
// The byte it held is known once the write has read it.
Asked AutoSetupChange(std::uint8_t to);

// The tester a line is about.
struct TesterOnPort {
  std::string port;
  std::string versionText;  // as UTF-8
  std::string model;
};
TesterOnPort TesterOf(const TMeter& meter, const std::string& port);

// The outcome of a change from its locations: done when every one took,
// half-changed when any may hold either its old or its new bytes, put-back
// when the ones sent were restored, not-written when none was sent.
std::string OutcomeOf(const std::vector<LocationWrite>& locations);

// Now, UTC, ISO 8601 with milliseconds: 2026-12-07T18:40:01.123Z.
std::string UtcTimeNow();

// A new change's name: 128 random bits in hexadecimal, never the same twice
// on any computer sharing a record.
std::string NewChangeId();

// Writes the record of one program's run: every change made to a tester, as
// it came out. A change of two or more locations whose started line the
// record cannot take is not made, unless the program allows it; any other
// line the record cannot take stops nothing. The user is told once per run,
// in a note the program shows with the change's message.
class ChangeRecorder {
 public:
  // Carries the user's own pending half-changes into the computer's record
  // at the first start of an installed program.
  ChangeRecorder(std::string program, std::string version);

  // Asked, with why, when a change of two or more locations cannot have its
  // started line recorded: true makes it all the same, without a trace
  // should it be cut short. Unset: never.
  std::function<bool(const std::string& trouble)> UnrecordedChangeAllowed;
  // Called once just before the first write of a change is sent (after its
  // started line); it may raise to stop the change with nothing written.
  std::function<void()> BeforeFirstWrite;

  // The record as the environment names it now.
  ChangeRecord Record() const { return ChangeRecord(ChangeRecordPath()); }
  const std::string& Computer() const { return computer_; }

  // A line of this run's, now.
  ChangeLine LineFor(const TesterOnPort& tester, const std::string& id, const Asked& asked,
                     const std::vector<LocationWrite>& locations, const std::string& outcome) const;
  // Appends the line, flushed to the disk before anything shows its outcome;
  // false when the record could not take it.
  bool Write(const ChangeLine& line);
  // The note for the user on a record that could not be written, once in a
  // run; empty otherwise.
  std::string TakeNote();
  // The final line of the last change, once, when it left the tester with a
  // mix of old and new bytes, and whether the record kept it.
  struct HalfChangeNews {
    ChangeLine line;
    bool recorded = false;
  };
  std::optional<HalfChangeNews> TakeHalfChange();

  // Runs a settings write on the meter and records what came of it, whether
  // it returns or raises. Writes that belong together are recorded before
  // the first of them is sent, so that the record knows of them whatever
  // ends this run between them; when the record cannot take that line,
  // raises ChangeNotRecorded with nothing sent (unless
  // UnrecordedChangeAllowed).
  template <class Operation>
  auto Recorded(TMeter& meter, const std::string& port, const Asked& asked, Operation write) {
    meter.Touched.clear();
    const TesterOnPort tester = TesterOf(meter, port);
    const std::string id = NewChangeId();
    bool startRecorded = false;
    bool writing = false;
    const WatchingWrites watching(meter, [&](const std::vector<LocationWrite>& planned) {
      if (std::exchange(writing, true)) return;
      if (planned.size() > 1)
        startRecorded = WriteStarted(LineFor(tester, id, asked, planned, kOutcomeStarted));
      if (BeforeFirstWrite) BeforeFirstWrite();
    });
    const auto record = [&] {
      WriteFinal(LineFor(tester, id, asked, meter.Touched, OutcomeOf(meter.Touched)),
                 startRecorded);
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
    } catch (const ChangeNotRecorded&) {
      throw;  // nothing sent, and the record takes no line
    } catch (...) {
      record();
      throw;
    }
  }

 private:
  // Hands the meter the hook for writes that belong together while it lives.
  class WatchingWrites {
   public:
    WatchingWrites(TMeter& meter, TMeter::PlannedWrites hook) : meter_(meter) {
      meter_.BeforeWriting = std::move(hook);
    }
    ~WatchingWrites() { meter_.BeforeWriting = nullptr; }
    WatchingWrites(const WatchingWrites&) = delete;
    WatchingWrites& operator=(const WatchingWrites&) = delete;

   private:
    TMeter& meter_;
  };

  // The change's last line; startRecorded: its started line is in the record.
  void WriteFinal(const ChangeLine& line, bool startRecorded);
  // The started line; false when the record did not take it and the change
  // is allowed without it, ChangeNotRecorded raised when not.
  bool WriteStarted(const ChangeLine& line);
  // Appends the line; answers why the record could not take it, or nothing.
  std::string Append(const ChangeLine& line);
  // Adds to the note for the user.
  void Tell(const std::string& text);

  std::string program_;
  std::string version_;
  std::string computer_;
  std::string user_;
  bool troubleTold_ = false;
  bool rotationTold_ = false;
  std::string note_;
  std::optional<HalfChangeNews> halfChange_;
};
