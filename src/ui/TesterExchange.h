#pragma once

// Marks an exchange with the tester. While one runs, the windows keep
// repainting (the protocol lets them while it waits) but take no user
// command: two exchanges on one port would corrupt each other. The mouse
// pointer shows the busy cursor meanwhile.
class TesterExchange {
 public:
  TesterExchange();
  ~TesterExchange();
  TesterExchange(const TesterExchange&) = delete;
  TesterExchange& operator=(const TesterExchange&) = delete;

  static bool Running();
};

// Lets the user answer a question in the middle of an exchange, while the
// line is idle (the tester asked nothing and waits for nothing): the windows
// take input again, but every user command still does nothing until the
// exchange ends.
class TesterExchangePause {
 public:
  TesterExchangePause();
  ~TesterExchangePause();
  TesterExchangePause(const TesterExchangePause&) = delete;
  TesterExchangePause& operator=(const TesterExchangePause&) = delete;
};

// Runs one exchange with the tester under the lock and answers its result.
template <class Exchange>
auto WithTester(Exchange exchange) {
  TesterExchange running;
  return exchange();
}
