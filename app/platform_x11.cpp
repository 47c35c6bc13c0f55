// The X11 implementation of the test's window-system services: the display check and a small
// modal message window drawn with Xlib, which needs no toolkit and no window manager.
#include "app/platform.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

struct FontInfoFree {
  void operator()(XFontStruct* font) const { XFreeFontInfo(nullptr, font, 1); }
};
using FontInfo = std::unique_ptr<XFontStruct, FontInfoFree>;

constexpr int margin = 20;
constexpr int button_width = 80;

struct Rect {
  int x, y, width, height;
  bool contains(int px, int py) const {
    return px >= x && px < x + width && py >= y && py < y + height;
  }
};

// The layout of the message window for one text in one font.
struct MessageLayout {
  int width, height, text_x, text_y;
  Rect button;
};

MessageLayout lay_out(const XFontStruct& font, const char* text) {
  const int line_height = font.ascent + font.descent;
  const int text_width = XTextWidth(const_cast<XFontStruct*>(&font), text,
                                    static_cast<int>(std::strlen(text)));
  MessageLayout layout{};
  layout.width = std::max(text_width, button_width) + 2 * margin;
  layout.text_x = margin;
  layout.text_y = margin + font.ascent;
  const int button_height = line_height + 12;
  layout.button = {(layout.width - button_width) / 2, 2 * margin + line_height, button_width,
                   button_height};
  layout.height = layout.button.y + button_height + margin;
  return layout;
}

void draw(Display* display, Window window, GC gc, const XFontStruct& font,
          const MessageLayout& layout, const char* text) {
  XClearWindow(display, window);
  XDrawString(display, window, gc, layout.text_x, layout.text_y, text,
              static_cast<int>(std::strlen(text)));
  const Rect& b = layout.button;
  XDrawRectangle(display, window, gc, b.x, b.y, b.width - 1, b.height - 1);
  const char* const ok = "OK";
  const int ok_width = XTextWidth(const_cast<XFontStruct*>(&font), ok, 2);
  XDrawString(display, window, gc, b.x + (b.width - ok_width) / 2,
              b.y + (b.height + font.ascent - font.descent) / 2, ok, 2);
}

bool dismisses(const XEvent& event, const MessageLayout& layout, Atom delete_window) {
  switch (event.type) {
    case KeyPress: {
      XKeyEvent key = event.xkey;
      const KeySym symbol = XLookupKeysym(&key, 0);
      return symbol == XK_Return || symbol == XK_KP_Enter || symbol == XK_Escape;
    }
    case ButtonRelease:
      return event.xbutton.button == Button1 &&
             layout.button.contains(event.xbutton.x, event.xbutton.y);
    case ClientMessage:
      return static_cast<Atom>(event.xclient.data.l[0]) == delete_window;
    default:
      return false;
  }
}

}  // namespace

bool display_available() { return DisplayHandle(XOpenDisplay(nullptr)) != nullptr; }

const char* display_name() { return XDisplayName(nullptr); }

std::string display_problem() {
  const std::string name = display_name();
  return name.empty() ? "no X display (DISPLAY is not set)"
                      : "cannot open the X display \"" + name + "\"";
}

void show_error_message(const char* caption, const char* text) {
  const DisplayHandle display(XOpenDisplay(nullptr));
  if (!display) return;
  Display* const d = display.get();
  const int screen = DefaultScreen(d);
  GC gc = DefaultGC(d, screen);
  const FontInfo font(XQueryFont(d, XGContextFromGC(gc)));
  if (!font) return;
  const MessageLayout layout = lay_out(*font, text);

  const Window window = XCreateSimpleWindow(
      d, RootWindow(d, screen), (DisplayWidth(d, screen) - layout.width) / 2,
      (DisplayHeight(d, screen) - layout.height) / 2, static_cast<unsigned>(layout.width),
      static_cast<unsigned>(layout.height), 1, BlackPixel(d, screen), WhitePixel(d, screen));
  XStoreName(d, window, caption);
  XSizeHints size{};
  size.flags = PMinSize | PMaxSize;
  size.min_width = size.max_width = layout.width;
  size.min_height = size.max_height = layout.height;
  XSetWMNormalHints(d, window, &size);
  Atom delete_window = XInternAtom(d, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(d, window, &delete_window, 1);
  XSelectInput(d, window,
               ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                   StructureNotifyMask);
  XMapRaised(d, window);

  for (;;) {
    XEvent event;
    XNextEvent(d, &event);
    if (event.type == DestroyNotify) return;  // destroyed by someone else: nothing left to do
    if (event.type == Expose && event.xexpose.count == 0)
      draw(d, window, gc, *font, layout, text);
    else if (dismisses(event, layout, delete_window))
      break;
  }
  XDestroyWindow(d, window);
}
