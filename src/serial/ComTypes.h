#pragma once

#include <bitset>
#include <cstdint>

// The port's enumerations. Their order is fixed: the ordinals are what the
// line settings are built from.
enum TBaudRate {
  brCustom,
  br110,
  br300,
  br600,
  br1200,
  br2400,
  br4800,
  br9600,
  br14400,
  br19200,
  br38400,
  br56000,
  br57600,
  br115200,
  br128000,
  br256000
};
enum TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };
enum TDataBits { dbFive, dbSix, dbSeven, dbEight };
enum TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum TDTRFlowControl { dtrDisable, dtrEnable, dtrHandshake };
enum TRTSFlowControl { rtsDisable, rtsEnable, rtsHandshake, rtsToggle };
enum TComEvent {
  evRxChar,
  evTxEmpty,
  evRxFlag,
  evRing,
  evBreak,
  evCTS,
  evDSR,
  evError,
  evRLSD,
  evRx80Full
};
enum TSyncMethod { smThreadSync, smWindowSync, smNone };

// A set of TComEvent, indexed by the event's ordinal.
using TComEvents = std::bitset<evRx80Full + 1>;

// The line rate in bit/s that a TBaudRate stands for.
int BaudRateValue(TBaudRate rate, int customRate);

// Everything that goes into the line-settings record. The port owns one; its
// Parity and FlowControl objects edit it in place.
struct LineSettings {
  TBaudRate baudRate = br9600;
  int customBaudRate = 9600;
  TDataBits dataBits = dbEight;
  TStopBits stopBits = sbOneStopBit;
  TParityBits parity = prNone;
  bool parityCheck = false;
  bool parityReplace = false;
  char parityReplaceChar = 0;
  bool discardNull = false;
  char eventChar = 0;
  bool outCTSFlow = false;
  bool outDSRFlow = false;
  TDTRFlowControl controlDTR = dtrDisable;
  TRTSFlowControl controlRTS = rtsDisable;
  bool xonXoffOut = false;
  bool xonXoffIn = false;
  bool dsrSensitivity = false;
  bool txContinueOnXoff = false;
  char xonChar = 17;
  char xoffChar = 19;
};

// The five time-outs in ms; -1 stands for the all-ones value of the
// Windows record, which has meanings of its own (see TransferLimits).
struct TimeoutSettings {
  int readInterval = -1;
  int readTotalMultiplier = 0;
  int readTotalConstant = 0;
  int writeTotalMultiplier = 100;
  int writeTotalConstant = 1000;
};
