#include "ScratchDir.h"

#include <random>
#include <stdexcept>
#include <string>

ScratchDir::ScratchDir() {
  // A random name, taken only if no other folder has it: create_directory
  // answers false when the name exists, so two runs never share a folder.
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::filesystem::path temporary = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate =
        temporary / ("kavel-test-" + std::to_string(random() % 1000000000000ULL));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot make a scratch folder");
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
