#include "platform/sdl/wm_check.h"

#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace quandel {

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {

// The window named by a WINDOW property, or 0.
Window WindowProperty(Display* d, Window w, Atom property) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  Window result = 0;
  if (XGetWindowProperty(d, w, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
      data) {
    if (type == XA_WINDOW && format == 32 && count == 1) result = *reinterpret_cast<Window*>(data);
    XFree(data);
  }
  return result;
}

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

bool ListsAtom(Display* d, Window w, Atom property, Atom wanted) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = false;
  if (XGetWindowProperty(d, w, property, 0, 4096, False, XA_ATOM, &type, &format, &count, &after, &data) == Success &&
      data) {
    const Atom* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; type == XA_ATOM && format == 32 && i < count; ++i) found = found || atoms[i] == wanted;
    XFree(data);
  }
  return found;
}

}  // namespace
#endif

bool DesktopHandlesFullscreen(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info)) return true;
#if defined(SDL_VIDEO_DRIVER_X11)
  if (info.subsystem == SDL_SYSWM_X11) {
    Display* d = info.info.x11.display;
    const Window root = DefaultRootWindow(d);
    // EWMH: a running manager names its check window on the root, and the check window names
    // itself; a stale property left by a manager that quit fails the second test. Asking a
    // vanished window is an X error, which the default handler would make fatal.
    XSync(d, False);
    const auto previous = XSetErrorHandler(IgnoreXError);
    const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
    const Window wm = WindowProperty(d, root, check);
    const bool running = wm != 0 && WindowProperty(d, wm, check) == wm;
    XSync(d, False);
    XSetErrorHandler(previous);
    return running && ListsAtom(d, root, XInternAtom(d, "_NET_SUPPORTED", False),
                                XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False));
  }
#endif
  return true;
}

}  // namespace quandel
