// The window-system services the test needs besides GL: whether a display can be reached, a
// modal message window for the one fatal start-up error (X11), and a GL context without any
// window for the report (EGL).
#pragma once

#include <string>
#include <vector>

// True when the X display named by DISPLAY can be opened.
bool display_available();

// The name of the X display that display_available tries, for messages.
const char* display_name();

// Why display_available fails, for messages: "no X display (DISPLAY is not set)" or
// "cannot open the X display \"NAME\"".
std::string display_problem();

// Shows a modal message window with `caption`, `text` and an OK button, and returns once the
// user dismisses it (OK, Enter, Escape or closing the window). Returns at once, having shown
// nothing, when no window can be opened.
void show_error_message(const char* caption, const char* text);

// A desktop OpenGL context, compatibility profile, current without any surface: made through
// EGL's device platform or its surfaceless one, with no window system at all. Drawing needs a
// framebuffer object. The context and its display end with the object.
class OffscreenContext {
 public:
  OffscreenContext() = default;
  ~OffscreenContext();
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  // Makes the context current: on device `device` of the device platform when device >= 0;
  // otherwise on the first device that gives one, else on the surfaceless platform. Returns
  // false, with the reason in `error`, when none can be made (or `device` is not listed).
  bool open(int device, std::string& error);

  // Where it runs: "surfaceless", or "device N (NAME)" with a name from egl_device_names.
  const std::string& description() const { return description_; }
  // The device's name from egl_device_names, or "surfaceless".
  const std::string& device_name() const { return device_name_; }

 private:
  bool open_on(void* display, std::string& error);
  void* display_ = nullptr;
  void* context_ = nullptr;
  std::string description_;
  std::string device_name_;
};

// The devices of EGL's device platform, in its order, each named by its DRM device file or
// "software"; empty when the platform is missing.
std::vector<std::string> egl_device_names();
