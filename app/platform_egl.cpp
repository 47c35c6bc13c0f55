// A GL context without a window, through EGL: the device platform's devices first, then the
// surfaceless platform, each asked for a compatibility-profile desktop OpenGL context.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <cstring>

#include "app/platform.h"

namespace {

// The client extension functions this needs, looked up once; null where EGL lacks them.
struct DeviceFunctions {
  PFNEGLQUERYDEVICESEXTPROC query_devices = nullptr;
  PFNEGLQUERYDEVICESTRINGEXTPROC query_device_string = nullptr;
  PFNEGLGETPLATFORMDISPLAYEXTPROC get_platform_display = nullptr;

  DeviceFunctions() {
    const char* const client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (client == nullptr || std::strstr(client, "EGL_EXT_platform_base") == nullptr) return;
    get_platform_display = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (std::strstr(client, "EGL_EXT_device_enumeration") == nullptr) return;
    query_devices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    query_device_string = reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(
        eglGetProcAddress("eglQueryDeviceStringEXT"));
  }
};

const DeviceFunctions& device_functions() {
  static const DeviceFunctions functions;
  return functions;
}

bool client_extension(const char* name) {
  const char* const client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  return client != nullptr && std::strstr(client, name) != nullptr;
}

std::vector<EGLDeviceEXT> devices() {
  const DeviceFunctions& f = device_functions();
  if (!f.query_devices || !f.get_platform_display || !client_extension("EGL_EXT_platform_device"))
    return {};
  EGLint count = 0;
  if (!f.query_devices(0, nullptr, &count) || count <= 0) return {};
  std::vector<EGLDeviceEXT> listed(static_cast<std::size_t>(count));
  if (!f.query_devices(count, listed.data(), &count)) return {};
  listed.resize(static_cast<std::size_t>(count));
  return listed;
}

std::string device_name(EGLDeviceEXT device) {
  const DeviceFunctions& f = device_functions();
  const char* const extensions = f.query_device_string(device, EGL_EXTENSIONS);
  if (extensions && std::strstr(extensions, "EGL_EXT_device_drm")) {
    const char* const file = f.query_device_string(device, EGL_DRM_DEVICE_FILE_EXT);
    if (file) return file;
  }
  return extensions && std::strstr(extensions, "EGL_MESA_device_software") ? "software" : "unnamed";
}

}  // namespace

std::vector<std::string> egl_device_names() {
  std::vector<std::string> names;
  for (const EGLDeviceEXT device : devices()) names.push_back(device_name(device));
  return names;
}

OffscreenContext::~OffscreenContext() {
  if (!display_) return;
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_) eglDestroyContext(display_, context_);
  eglTerminate(display_);
  eglReleaseThread();
}

// Initialises `display` and makes a context current on it; on failure leaves it terminated.
bool OffscreenContext::open_on(void* display, std::string& error) {
  EGLint major = 0, minor = 0;
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
    error = "EGL cannot initialise the display";
    return false;
  }
  const char* const extensions = eglQueryString(display, EGL_EXTENSIONS);
  const auto has = [extensions](const char* name) {
    return extensions != nullptr && std::strstr(extensions, name) != nullptr;
  };
  EGLConfig config = nullptr;  // EGL_NO_CONFIG_KHR
  EGLint configs = 0;
  const EGLint config_attributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  const EGLint context_attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                       EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  if (!has("EGL_KHR_surfaceless_context")) {
    error = "EGL offers no surfaceless contexts (EGL_KHR_surfaceless_context)";
  } else if (!has("EGL_KHR_no_config_context") &&
             (!eglChooseConfig(display, config_attributes, &config, 1, &configs) || configs < 1)) {
    error = "EGL has no configuration for desktop OpenGL";
  } else if (!eglBindAPI(EGL_OPENGL_API)) {
    error = "EGL does not offer desktop OpenGL";
  } else {
    context_ = eglCreateContext(display, config, EGL_NO_CONTEXT, context_attributes);
    if (context_ != EGL_NO_CONTEXT &&
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context_)) {
      display_ = display;
      return true;
    }
    error = context_ == EGL_NO_CONTEXT ? "EGL gives no compatibility-profile OpenGL context"
                                       : "EGL cannot make the context current without a surface";
    if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display, context_);
    context_ = nullptr;
  }
  eglTerminate(display);
  return false;
}

bool OffscreenContext::open(int device, std::string& error) {
  const std::vector<EGLDeviceEXT> listed = devices();
  if (device >= static_cast<int>(listed.size())) {
    error = "EGL lists no device " + std::to_string(device);
    return false;
  }
  const DeviceFunctions& f = device_functions();
  for (int i = device < 0 ? 0 : device; i < static_cast<int>(listed.size()); ++i) {
    const EGLDisplay display = f.get_platform_display(EGL_PLATFORM_DEVICE_EXT, listed[i], nullptr);
    if (open_on(display, error)) {
      device_name_ = ::device_name(listed[i]);
      description_ = "device " + std::to_string(i) + " (" + device_name_ + ")";
      return true;
    }
    if (device >= 0) return false;
  }
  if (!f.get_platform_display || !client_extension("EGL_MESA_platform_surfaceless")) {
    if (listed.empty()) error = "EGL offers neither the device nor the surfaceless platform";
    return false;
  }
  const EGLDisplay display =
      f.get_platform_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (!open_on(display, error)) return false;
  description_ = device_name_ = "surfaceless";
  return true;
}
