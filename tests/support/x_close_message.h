// A close button's message for real windows. Include gtest first: X11's macros clash with it.
#pragma once

#include <X11/Xlib.h>

// Sends `window` on `display` a WM_DELETE_WINDOW client message and flushes it to the server.
inline void send_close_message(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
}
