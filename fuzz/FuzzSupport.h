#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The bytes a fuzzer hands over, taken apart piece by piece; once they run
// out every piece is empty or zero.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : bytes_(reinterpret_cast<const char*>(data), size) {}

  std::uint8_t Byte() {
    return pos_ < bytes_.size() ? static_cast<std::uint8_t>(bytes_[pos_++]) : 0;
  }
  std::string Take(std::size_t count) {
    const std::string piece = bytes_.substr(std::min(pos_, bytes_.size()), count);
    pos_ += piece.size();
    return piece;
  }
  std::string Rest() { return Take(bytes_.size()); }
  bool Empty() const { return pos_ >= bytes_.size(); }

 private:
  std::string bytes_;
  std::size_t pos_ = 0;
};

// A fault the fuzzer found: reported and the run stopped, so the input is kept.
[[noreturn]] void FuzzFailure(const char* what);
#define FUZZ_CHECK(condition)                  \
  do {                                         \
    if (!(condition)) FuzzFailure(#condition); \
  } while (0)
