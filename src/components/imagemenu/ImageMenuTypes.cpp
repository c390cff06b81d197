#include "components/imagemenu/ImageMenuTypes.h"

#include <QtGlobal>

namespace sorabel::imagemenu {
namespace {

std::function<void(const std::exception&)>& exceptionHandler() {
  static std::function<void(const std::exception&)> handler;
  return handler;
}

}  // namespace

void setExceptionHandler(std::function<void(const std::exception&)> handler) { exceptionHandler() = std::move(handler); }

void handleException(const std::exception& error) {
  if (exceptionHandler())
    exceptionHandler()(error);
  else
    qWarning("%s", error.what());
}

}  // namespace sorabel::imagemenu
