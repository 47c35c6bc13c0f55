// The Vulkan platform of the report: an instance without any surface or window system, the
// choice of a physical device, the logical device with one graphics queue, and a debug messenger
// that tells every message of the loader's layers. The only place that makes these objects.
#pragma once

#include <vulkan/vulkan.h>

#include <cstdint>
#include <string>
#include <vector>

// One physical device as the instance lists it.
struct VulkanDeviceDescription {
  std::string name;    // deviceName
  std::string driver;  // the driver's name and information, "llvmpipe, Mesa 22.3.6 (...)"
  std::string type;    // "CPU", "integrated GPU", "discrete GPU", "virtual GPU" or "other"
  std::uint32_t api_version = 0;
};

// Lists the physical devices of a Vulkan 1.1 instance in the instance's order into `devices`.
// Returns false, with the reason in `error`, when no such instance can be made.
bool list_vulkan_devices(std::vector<VulkanDeviceDescription>& devices, std::string& error);

// "1.3.230": the version a VK_MAKE_API_VERSION number holds.
std::string vulkan_version_text(std::uint32_t version);

// A Vulkan 1.1 device ready to draw offscreen: the instance, the physical device, the device
// with the physical device's first graphics queue and, where the instance offers
// VK_EXT_debug_utils, a messenger that writes each warning and error of the layers (the
// validation layer, when VK_INSTANCE_LAYERS names it) to standard error and counts them.
// Sampler anisotropy is enabled where the device has it. Every handle is destroyed with the
// object, in reverse order of creation.
class VulkanDevice {
 public:
  VulkanDevice() = default;
  ~VulkanDevice();
  VulkanDevice(const VulkanDevice&) = delete;
  VulkanDevice& operator=(const VulkanDevice&) = delete;

  // Makes everything on physical device `index` (0 is the first the instance lists), or on the
  // first with a graphics queue when `index` < 0. Returns false, with the reason in `error`, when
  // a step fails or there is no such device; call it once.
  bool open(int index, std::string& error);

  VkPhysicalDevice physical() const { return physical_; }
  VkDevice device() const { return device_; }
  VkQueue queue() const { return queue_; }
  std::uint32_t queue_family() const { return queue_family_; }
  const VkPhysicalDeviceProperties& properties() const { return properties_; }
  const VulkanDeviceDescription& description() const { return description_; }
  int index() const { return index_; }
  // Whether samplers may enable anisotropy.
  bool anisotropy() const { return anisotropy_; }
  // The queue's timestampValidBits: 0 where its timestamps cannot be used.
  std::uint32_t timestamp_bits() const { return timestamp_bits_; }
  // The warnings and errors the layers have told so far.
  int messages() const { return messages_; }

 private:
  // open's steps: the messenger that tells the layers' messages, where the instance has
  // VK_EXT_debug_utils; device `index` (-1: the first that draws) and its queue family that
  // draws; the logical device with sampler anisotropy where the device has it, and its queue.
  void listen();
  bool pick(int index, std::string& error);
  bool create_device(std::string& error);

  static VKAPI_ATTR VkBool32 VKAPI_CALL tell(VkDebugUtilsMessageSeverityFlagBitsEXT severity,
                                             VkDebugUtilsMessageTypeFlagsEXT types,
                                             const VkDebugUtilsMessengerCallbackDataEXT* data,
                                             void* self);

  VkInstance instance_ = VK_NULL_HANDLE;
  VkDebugUtilsMessengerEXT messenger_ = VK_NULL_HANDLE;
  VkPhysicalDevice physical_ = VK_NULL_HANDLE;
  VkDevice device_ = VK_NULL_HANDLE;
  VkQueue queue_ = VK_NULL_HANDLE;
  std::uint32_t queue_family_ = 0;
  VkPhysicalDeviceProperties properties_{};
  VulkanDeviceDescription description_;
  int index_ = -1;
  bool anisotropy_ = false;
  std::uint32_t timestamp_bits_ = 0;
  int messages_ = 0;
};

// "vkCreateDevice failed: VK_ERROR_INITIALIZATION_FAILED": what failed and its result's name.
std::string vulkan_failure(const char* call, VkResult result);
