#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ScratchDir.h"
#include "useful.h"

TEST(FileVersion, RunningProgramReadsItsStamp) {
  // This test program is stamped 1.0.2.31 by its build.
  EXPECT_EQ(GetFileVersionText(), "1.0.2.31");
  EXPECT_EQ(GetFileVersionText("/proc/self/exe"), "1.0.2.31");
}

TEST(FileVersion, FilesWithoutAStampGiveZeros) {
  EXPECT_EQ(GetFileVersionText("/bin/sh"), "0.0.0.0");  // an ELF file without the stamp
  EXPECT_EQ(GetFileVersionText("/nonexistent/program"), "0.0.0.0");
  const ScratchDir scratch;
  const auto path = scratch / "not-elf";
  std::ofstream(path) << "\x7f"
                         "ELF but nothing after it";
  EXPECT_EQ(GetFileVersionText(path.string()), "0.0.0.0");
}

TEST(FileVersion, AProgramCopiedWithoutItsStampGivesZeros) {
  const ScratchDir scratch;
  const auto copy = scratch / "unstamped";
  const std::string command =
      "objcopy --remove-section .kavel_version /proc/self/exe " + copy.string();
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_EQ(GetFileVersionText(copy.string()), "0.0.0.0");
}
