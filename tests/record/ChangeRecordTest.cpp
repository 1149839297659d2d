#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "ChangeRecord.h"
#include "ScratchDir.h"

namespace {

ChangeLine LineNumbered(int n) {
  ChangeLine line;
  line.time = "2026-12-07T10:00:00.000Z";
  line.port = "COM3";
  line.user = "Łukasz \"tech\" \\ " + std::to_string(n);  // escaped and read back whole
  line.change = "nominal voltage 220 V to 230 V";
  line.locations = {{40, "5C 87", "66 87", "", "written"}};
  line.outcome = kOutcomeDone;
  return line;
}

// The record file as a writer killed in the middle, or a full one, left it.
struct RecordCase {
  const char* name;
  std::string left;   // the file's content before the append
  size_t linesAfter;  // whole lines read back afterwards, all files together
  bool renamed;       // the full file renamed with a number
  friend void PrintTo(const RecordCase& row, std::ostream* out) { *out << row.name; }
};

class RecordFile : public ::testing::TestWithParam<RecordCase> {
 protected:
  ScratchDir scratch_;
  ChangeRecord record_{scratch_ / "state" / "changes.jsonl"};
};

}  // namespace

TEST_P(RecordFile, AppendsOneWholeLine) {
  std::filesystem::create_directories(record_.File().parent_path());
  std::ofstream(record_.File(), std::ios::binary) << GetParam().left;
  EXPECT_EQ(record_.Append(LineNumbered(1)), "");
  const std::vector<ChangeLine> lines = record_.Lines();
  ASSERT_EQ(lines.size(), GetParam().linesAfter);
  EXPECT_EQ(lines.back().user, LineNumbered(1).user);
  EXPECT_EQ(lines.back().locations[0].written, "66 87");
  EXPECT_EQ(std::filesystem::exists(scratch_ / "state" / "changes.1.jsonl"), GetParam().renamed);
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
                                 2, true}),
    [](const auto& row) { return std::string(row.param.name); });

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
