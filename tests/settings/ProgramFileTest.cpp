#include <gtest/gtest.h>

#include <fstream>

#include "ProgramFile.h"
#include "ScratchDir.h"

TEST(FileVersion, RunningProgramReadsItsStamp) {
  // This test program is stamped 1.0.2.31 by its build.
  EXPECT_EQ(GetFileVersionText(), "1.0.2.31");
  EXPECT_EQ(GetFileVersionText(RunningProgram().string()), "1.0.2.31");
}

TEST(FileVersion, FilesWithoutAStampGiveZeros) {
  EXPECT_EQ(GetFileVersionText("/nonexistent/program"), "0.0.0.0");
  const ScratchDir scratch;
  const auto path = scratch / "not-elf";
  std::ofstream(path) << "\x7f"
                         "ELF but nothing after it";
  EXPECT_EQ(GetFileVersionText(path.string()), "0.0.0.0");
}
