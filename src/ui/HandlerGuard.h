#pragma once

#include <QObject>
#include <functional>
#include <string>

// Runs an event handler; whatever failure leaves it becomes the general
// failure report, and the program runs on.
void Guarded(const std::function<void()>& handler);

// Runs a user command (a menu item or a button) in the guard, unless an
// exchange with the tester is under way: then the command does nothing.
void RunCommand(const std::function<void()>& handler);

// The text of the general failure report: the failure's own message, with a
// "." added when its last character sorts after ".".
std::string FailureReportText(const std::string& message);

// Connects a signal to a handler of the receiver as a user command.
template <class Sender, class Signal, class Receiver>
void ConnectCommand(Sender* sender, Signal signal, Receiver* receiver,
                    void (Receiver::*handler)()) {
  QObject::connect(sender, signal, receiver,
                   [receiver, handler] { RunCommand([&] { (receiver->*handler)(); }); });
}
