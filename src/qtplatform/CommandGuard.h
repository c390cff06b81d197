#pragma once
// Every command runs inside this guard: a failure ends the command and its
// message is shown by the general error report.

#include <QString>
#include <exception>
#include <utility>

#include "qtplatform/UserDialogs.h"

namespace sorabel {

// Runs command; returns false when it failed (the message has been shown).
template <class Command>
bool runGuarded(QWidget* parent, Command&& command) {
  try {
    std::forward<Command>(command)();
    return true;
  } catch (const std::exception& error) {
    reportError(parent, QString::fromUtf8(error.what()));
    return false;
  }
}

}  // namespace sorabel
