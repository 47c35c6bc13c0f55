// Test helper: sends an X window its close button's message. Usage: x_send_close WINDOW-ID
#include <cstdio>
#include <cstdlib>

#include "x_close_message.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s WINDOW-ID\n", argv[0]);
    return 2;
  }
  Display* const display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "%s: cannot open the X display\n", argv[0]);
    return 1;
  }
  send_close_message(display, static_cast<Window>(std::strtoul(argv[1], nullptr, 0)));
  XCloseDisplay(display);
  return 0;
}
