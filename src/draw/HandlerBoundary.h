#pragma once
// The one place where a component's event handler stops an exception.
// Qt event handlers must not let exceptions out; a component runs the body of
// each handler through runHandler, and what fails is passed to the
// application's exception handler (the program shows it as it shows every
// other failure). Without a handler it goes to qWarning.

#include <exception>
#include <functional>
#include <stdexcept>

namespace sorabel::draw {

using ExceptionHandler = std::function<void(const std::exception&)>;

void setExceptionHandler(ExceptionHandler handler);
void handleException(const std::exception& error) noexcept;

// Runs body; an exception does not leave it but is handed to the exception
// handler. Returns false when body failed.
template <class Body>
bool runHandler(Body&& body) noexcept {
  try {
    body();
    return true;
  } catch (const std::exception& error) {
    handleException(error);
  } catch (...) {
    handleException(std::runtime_error("unknown error"));
  }
  return false;
}

}  // namespace sorabel::draw
