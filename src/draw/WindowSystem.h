#pragma once
// The window system the program asks Qt for. Floating toolbars, drag
// outlines and menus placed beside buttons need absolute window positions
// and a pointer grab, which a Wayland session does not give to its
// clients. A Wayland session that also offers X11 (XWayland) is therefore
// used through X11, unless the user has chosen a platform himself.

namespace sorabel::draw {

struct SessionEnvironment {
  const char* waylandDisplay = nullptr;  // WAYLAND_DISPLAY
  const char* x11Display = nullptr;      // DISPLAY
  const char* chosenPlatform = nullptr;  // QT_QPA_PLATFORM
  bool platformArgument = false;         // -platform on the command line
};

bool shouldUseX11(const SessionEnvironment& session);

// Reads the environment and the arguments and, when X11 should be used,
// sets QT_QPA_PLATFORM to xcb. Call before the application is created.
void preferX11UnderWayland(int argc, char** argv);

}  // namespace sorabel::draw
