#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "ChangeRecord.h"
#include "NamedRows.h"
#include "RecordedLines.h"
#include "ScratchDir.h"

namespace {

// A change of one location, done, by the user numbered n.
ChangeLine LineNumbered(int n) {
  ChangeLine line = HalfChangedLine();
  line.user = "Łukasz \"tech\" \\ " + std::to_string(n);  // escaped and read back whole
  line.locations.resize(1);
  line.outcome = kOutcomeDone;
  return line;
}

// A line of a change of two locations, or of what deals with one.
ChangeLine Line(const std::string& id, const char* outcome, const char* action = kActionChange,
                const std::string& about = "", bool settles = false, int locations = 2) {
  ChangeLine line = LineNumbered(0);
  line.id = id;
  line.action = action;
  line.outcome = outcome;
  line.about = about;
  line.settles = settles;
  line.locations.resize(static_cast<size_t>(locations), line.locations[0]);
  return line;
}

// The record file as a writer killed in the middle, a full one, or a
// rotation cut short left it.
struct RecordCase {
  const char* name;
  std::string left;    // the file's content before the append
  size_t linesAfter;   // whole lines read back afterwards, all files together
  bool renamed;        // the full file renamed with a number
  size_t pending = 0;  // half-changes pending afterwards, in the current file alone
  void (*leave)(const std::filesystem::path& record) = nullptr;  // the rest of the folder
  bool rotationFails = false;
  friend void PrintTo(const RecordCase& row, std::ostream* out) { *out << row.name; }
};

std::filesystem::path NewFile(const std::filesystem::path& record) {
  return std::filesystem::path(record) += ".new";
}
std::filesystem::path FirstNumbered(const std::filesystem::path& record) {
  return std::filesystem::path(record).replace_filename("changes.1.jsonl");
}

class RecordFile : public ::testing::TestWithParam<RecordCase> {
 protected:
  ScratchDir scratch_;
  ChangeRecord record_{scratch_ / "state" / "changes.jsonl"};
};

}  // namespace

TEST_P(RecordFile, AppendsOneWholeLine) {
  std::filesystem::create_directories(record_.File().parent_path());
  std::ofstream(record_.File(), std::ios::binary) << GetParam().left;
  if (GetParam().leave) GetParam().leave(record_.File());
  std::string rotation;
  EXPECT_EQ(record_.Append(LineNumbered(1), &rotation), "");
  EXPECT_EQ(rotation.empty(), !GetParam().rotationFails);
  EXPECT_EQ(std::filesystem::exists(NewFile(record_.File())), GetParam().rotationFails);
  const std::vector<ChangeLine> lines = record_.Lines();
  ASSERT_EQ(lines.size(), GetParam().linesAfter);
  EXPECT_EQ(lines.back().user, LineNumbered(1).user);
  EXPECT_EQ(lines.back().locations[0].written, "66 87");
  EXPECT_EQ(std::filesystem::exists(scratch_ / "state" / "changes.1.jsonl"), GetParam().renamed);
  EXPECT_EQ(record_.Pending().size(), GetParam().pending);
  EXPECT_EQ(OnePerChange(lines).size(),
            GetParam().linesAfter - GetParam().pending * GetParam().renamed);
}

INSTANTIATE_TEST_SUITE_P(
    Left, RecordFile,
    ::testing::Values(RecordCase{"Empty", "", 1, false},
                      RecordCase{"TornLastLine", R"({"time":"2026-12-07T09:00:00.000Z","po)", 1,
                                 false},
                      // Nothing is lost at the limit: the full file keeps its line.
                      RecordCase{"Full",
                                 std::string(kRecordFileLimit, ' ') + "\n" +
                                     R"({"time":"t","port":"COM3","outcome":"done"})" + "\n",
                                 2, true},
                      // Carried into the new file, where the lookup finds it, and shown
                      // once by the history.
                      RecordCase{"FullWithAHalfChange",
                                 ToJsonLine(Line("a", kOutcomeHalfChanged)) + "\n" +
                                     std::string(kRecordFileLimit, ' ') + "\n",
                                 3, true, 1},
                      // Cut short before the full file got its number: begun again.
                      RecordCase{"LeftANewFile", ToJsonLine(Line("a", kOutcomeHalfChanged)) + "\n",
                                 2, false, 1,
                                 [](const std::filesystem::path& record) {
                                   std::ofstream(NewFile(record)) << R"({"id":"a","ti)";
                                 }},
                      // Cut short after: finished, the file read once under its number.
                      RecordCase{"LeftTheFullFileUnderTwoNames",
                                 ToJsonLine(Line("a", kOutcomeHalfChanged)) + "\n" +
                                     std::string(kRecordFileLimit, ' ') + "\n",
                                 3, true, 1,
                                 [](const std::filesystem::path& record) {
                                   std::filesystem::create_hard_link(record, FirstNumbered(record));
                                   std::ofstream(NewFile(record))
                                       << ToJsonLine(Line("a", kOutcomeHalfChanged)) << "\n";
                                 }},
                      // Left without a current file: begun anew with the pending lines.
                      RecordCase{"LeftNoCurrentFile", ToJsonLine(Line("a", kOutcomeHalfChanged)) + "\n",
                                 3, true, 1,
                                 [](const std::filesystem::path& record) {
                                   std::filesystem::rename(record, FirstNumbered(record));
                                 }},
                      // No new file can be made: the full one takes the line, and says so.
                      RecordCase{"CannotBeRotated", std::string(kRecordFileLimit, ' ') + "\n", 1,
                                 false, 0,
                                 [](const std::filesystem::path& record) {
                                   std::filesystem::create_directories(NewFile(record) / "x");
                                 },
                                 true}),
    RowName());

// Which changes the lines leave pending: a half-change stays until a line
// naming its id settles it.
struct PendingCase {
  const char* name;
  std::vector<ChangeLine> lines;
  std::vector<std::string> pending;  // ids, newest first
};

class PendingHalfChanges : public ::testing::TestWithParam<PendingCase> {};

// The lines as they come and as the record reads them from its file, where
// only the lines that can bear on a half-change are parsed.
TEST_P(PendingHalfChanges, StayUntilSettled) {
  const ScratchDir scratch;
  const ChangeRecord record(scratch / "changes.jsonl");
  for (const ChangeLine& line : GetParam().lines) ASSERT_EQ(record.Append(line), "");
  for (const std::vector<ChangeLine>& pending : {PendingOf(GetParam().lines), record.Pending()}) {
    std::vector<std::string> ids;
    for (const ChangeLine& line : pending) ids.push_back(line.id);
    EXPECT_EQ(ids, GetParam().pending);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PendingHalfChanges,
    ::testing::Values(
        PendingCase{"StartedNeverEnded", {Line("a", kOutcomeStarted)}, {"a"}},
        PendingCase{"StartedAndDone", {Line("a", kOutcomeStarted), Line("a", kOutcomeDone)}, {}},
        PendingCase{
            "StartedAndPutBack", {Line("a", kOutcomeStarted), Line("a", kOutcomePutBack)}, {}},
        PendingCase{
            "HalfChanged", {Line("a", kOutcomeStarted), Line("a", kOutcomeHalfChanged)}, {"a"}},
        PendingCase{"OneLocationIsNoMix",
                    {Line("a", kOutcomeHalfChanged, kActionChange, "", false, 1)},
                    {}},
        PendingCase{
            "RepairRefused",
            {Line("a", kOutcomeHalfChanged), Line("r", kOutcomePutBack, kActionFinish, "a")},
            {"a"}},
        PendingCase{"RepairCutShort",
                    {Line("a", kOutcomeHalfChanged),
                     Line("r", kOutcomeHalfChanged, kActionUndo, "a", false, 1)},
                    {"a"}},
        PendingCase{
            "Repaired",
            {Line("a", kOutcomeHalfChanged), Line("r", kOutcomeDone, kActionUndo, "a", true)},
            {}},
        PendingCase{"CheckedOnItsPort",
                    {Line("a", kOutcomeHalfChanged),
                     Line("c", kOutcomeNotWritten, kActionCheck, "a", true)},
                    {}},
        PendingCase{"GivenUp",
                    {Line("a", kOutcomeHalfChanged), Line("b", kOutcomeStarted),
                     Line("f", kOutcomeNotWritten, kActionForget, "a", true, 0)},
                    {"b"}},
        // Another change on the port, even of another model, settles nothing.
        PendingCase{"LaterChangeOnThePort",
                    {Line("a", kOutcomeHalfChanged), Line("b", kOutcomeDone)},
                    {"a"}},
        PendingCase{"NewestFirst",
                    {Line("a", kOutcomeHalfChanged), Line("b", kOutcomeStarted)},
                    {"b", "a"}}),
    RowName());

// Lines this record never wrote, or that a torn write or a hand edit left:
// not ours, whatever the locale.
TEST(RecordLine, OnlyWholeNumbersWhereTheRecordHasNumbers) {
  const std::string good = ToJsonLine(Line("a", kOutcomeDone));
  ASSERT_TRUE(ParseChangeLine(good));
  for (const auto& [part, replacement] :
       std::vector<std::pair<std::string, std::string>>{{":40,", ":40.0,"},
                                                        {":40,", ":4e1,"},
                                                        {":40,", ":-40,"},
                                                        {":40,", ":\"40\","},
                                                        {":40,", ":65536,"},
                                                        {":40,", ":1e400,"},
                                                        {"\"66 87\"", "6687"},
                                                        {"\"settles\":false", "\"settles\":0"}}) {
    std::string bad = ToJsonLine(Line("a", kOutcomeDone, kActionFinish, "x"));
    bad.replace(bad.find(part), part.size(), replacement);
    EXPECT_FALSE(ParseChangeLine(bad)) << bad;
  }
}

// A user or computer name the system gave in another encoding is kept as
// far as it is text, with U+FFFD for the rest.
TEST(RecordLine, TextThatIsNoUtf8IsWrittenWithReplacements) {
  ChangeLine line = Line("a", kOutcomeDone);
  line.user = "J\xF3zef";  // Latin-2, not UTF-8
  const std::optional<ChangeLine> read = ParseChangeLine(ToJsonLine(line));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->user, "J\xEF\xBF\xBDzef");
  // The name the recorder compares with the lines is cleaned the same way,
  // so that it still finds its own.
  EXPECT_EQ(AsRecorded(line.user), read->user);
}

// The record read back over rotated files: oldest file first, so that the
// history's newest-first order holds across them, by number whatever is
// missing between.
TEST(RecordFiles, ReadOldestFileFirst) {
  const ScratchDir scratch;
  const ChangeRecord record(scratch / "changes.jsonl");
  for (const char* n : {"2", "10", ""}) {
    const std::string name = std::string("changes") + (*n ? "." : "") + n + ".jsonl";
    std::ofstream(scratch / name) << ToJsonLine(Line(*n ? n : "3", kOutcomeDone)) << "\n";
  }
  // A rotation cut short after the link: one file under two names, read once.
  std::filesystem::create_hard_link(scratch / "changes.jsonl", scratch / "changes.11.jsonl");
  std::vector<std::string> ids;
  for (const ChangeLine& line : record.Lines()) ids.push_back(line.id);
  EXPECT_EQ(ids, (std::vector<std::string>{"2", "10", "3"}));
}

TEST(RecordWriters, TwoAtOnceNeverMeetInALine) {
  const ScratchDir scratch;
  const ChangeRecord record(scratch / "changes.jsonl");
  constexpr int kEach = 100;
  const auto writer = [&](int first) {
    for (int n = first; n < first + kEach; ++n) EXPECT_EQ(record.Append(LineNumbered(n)), "");
  };
  std::thread program(writer, 0);
  std::thread cli(writer, kEach);
  program.join();
  cli.join();
  EXPECT_EQ(record.Lines().size(), 2u * kEach);
}

TEST(RecordWriters, AFileWhereTheFolderShouldBeIsToldNotRaised) {
  const ScratchDir scratch;
  std::ofstream(scratch / "state") << "";
  EXPECT_NE(ChangeRecord(scratch / "state" / "changes.jsonl").Append(LineNumbered(1)), "");
}
