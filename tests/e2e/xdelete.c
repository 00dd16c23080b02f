/* Asks an X window to close the way a window manager's close button does (WM_DELETE_WINDOW). */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: xdelete WINDOW-ID\n");
    return 2;
  }
  Display* d = XOpenDisplay(NULL);
  if (!d) return 1;
  XEvent ev = {0};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = (Window)strtoul(argv[1], NULL, 0);
  ev.xclient.format = 32;
  ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  ev.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, ev.xclient.window, False, NoEventMask, &ev);
  XSync(d, False);
  XCloseDisplay(d);
  return 0;
}
