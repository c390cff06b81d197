#include "draw/HandlerBoundary.h"

#include <QtGlobal>
#include <utility>

namespace sorabel::draw {
namespace {

ExceptionHandler& exceptionHandler() {
  static ExceptionHandler handler;
  return handler;
}

}  // namespace

void setExceptionHandler(ExceptionHandler handler) { exceptionHandler() = std::move(handler); }

void handleException(const std::exception& error) noexcept {
  try {
    if (exceptionHandler())
      exceptionHandler()(error);
    else
      qWarning("%s", error.what());
  } catch (...) {
    qWarning("%s", error.what());
  }
}

}  // namespace sorabel::draw
