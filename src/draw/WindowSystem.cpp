#include "draw/WindowSystem.h"

#include <QByteArray>
#include <cstdlib>
#include <cstring>

namespace sorabel::draw {

namespace {

bool given(const char* value) { return value != nullptr && value[0] != '\0'; }

}  // namespace

bool shouldUseX11(const SessionEnvironment& session) {
  if (given(session.chosenPlatform) || session.platformArgument) return false;
  return given(session.waylandDisplay) && given(session.x11Display);
}

void preferX11UnderWayland(int argc, char** argv) {
  SessionEnvironment session;
  session.waylandDisplay = std::getenv("WAYLAND_DISPLAY");
  session.x11Display = std::getenv("DISPLAY");
  session.chosenPlatform = std::getenv("QT_QPA_PLATFORM");
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0)
      session.platformArgument = true;
  if (shouldUseX11(session)) qputenv("QT_QPA_PLATFORM", "xcb");
}

}  // namespace sorabel::draw
