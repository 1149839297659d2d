#pragma once

#include <memory>
#include <string>

#include "HexBytes.h"
#include "KavelMeter.h"
#include "TesterSimulator.h"

// A simulated tester bound to a COM name, and the program's port opened on it
// the way the program opens it.
class TesterOnLine {
 public:
  explicit TesterOnLine(const std::string& model = "TVA-740", const std::string& firmware = "2.01",
                        const std::string& portName = "COM5");
  ~TesterOnLine();

  // A meter object of the given class on the open port.
  template <class Meter>
  std::unique_ptr<Meter> Connect() {
    auto meter = std::make_unique<Meter>();
    meter->Port = &port;
    return meter;
  }

  sim::TesterSimulator tester;
  TKavelPort port;
};
