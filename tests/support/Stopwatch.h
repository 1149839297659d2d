#pragma once

#include <chrono>

// Wall-clock time of a piece of a test, in ms.
class Stopwatch {
 public:
  Stopwatch() : start_(std::chrono::steady_clock::now()) {}
  double ElapsedMs() const;

 private:
  std::chrono::steady_clock::time_point start_;
};
