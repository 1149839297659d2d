// Windows ends a windowed program with a close message (logout, Task
// Manager's End task), which reaches the main window as its close box does:
// there is no signal to turn into one.
#include "SignalEnding.h"

SignalEnding::SignalEnding(std::function<void()> end) : end_(std::move(end)) {}

SignalEnding::~SignalEnding() = default;
