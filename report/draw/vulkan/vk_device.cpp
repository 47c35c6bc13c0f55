// The Vulkan instance, device and queue the report draws with, and the layers' messages.
#include "report/draw/vulkan/vk_device.h"

#include <cstdio>
#include <cstring>

#include "base/text_format.h"

namespace {

const char* result_name(VkResult result) {
  switch (result) {
    case VK_SUCCESS:
      return "VK_SUCCESS";
    case VK_ERROR_OUT_OF_HOST_MEMORY:
      return "VK_ERROR_OUT_OF_HOST_MEMORY";
    case VK_ERROR_OUT_OF_DEVICE_MEMORY:
      return "VK_ERROR_OUT_OF_DEVICE_MEMORY";
    case VK_ERROR_INITIALIZATION_FAILED:
      return "VK_ERROR_INITIALIZATION_FAILED";
    case VK_ERROR_DEVICE_LOST:
      return "VK_ERROR_DEVICE_LOST";
    case VK_ERROR_LAYER_NOT_PRESENT:
      return "VK_ERROR_LAYER_NOT_PRESENT";
    case VK_ERROR_EXTENSION_NOT_PRESENT:
      return "VK_ERROR_EXTENSION_NOT_PRESENT";
    case VK_ERROR_FEATURE_NOT_PRESENT:
      return "VK_ERROR_FEATURE_NOT_PRESENT";
    case VK_ERROR_INCOMPATIBLE_DRIVER:
      return "VK_ERROR_INCOMPATIBLE_DRIVER";
    case VK_ERROR_FORMAT_NOT_SUPPORTED:
      return "VK_ERROR_FORMAT_NOT_SUPPORTED";
    default:
      return "an error";
  }
}

const char* type_name(VkPhysicalDeviceType type) {
  switch (type) {
    case VK_PHYSICAL_DEVICE_TYPE_CPU:
      return "CPU";
    case VK_PHYSICAL_DEVICE_TYPE_INTEGRATED_GPU:
      return "integrated GPU";
    case VK_PHYSICAL_DEVICE_TYPE_DISCRETE_GPU:
      return "discrete GPU";
    case VK_PHYSICAL_DEVICE_TYPE_VIRTUAL_GPU:
      return "virtual GPU";
    default:
      return "other";
  }
}

bool lists_extension(const std::vector<VkExtensionProperties>& extensions, const char* name) {
  for (const VkExtensionProperties& extension : extensions)
    if (std::strcmp(extension.extensionName, name) == 0) return true;
  return false;
}

bool instance_has_extension(const char* name) {
  std::uint32_t count = 0;
  vkEnumerateInstanceExtensionProperties(nullptr, &count, nullptr);
  std::vector<VkExtensionProperties> extensions(count);
  vkEnumerateInstanceExtensionProperties(nullptr, &count, extensions.data());
  return lists_extension(extensions, name);
}

bool device_has_extension(VkPhysicalDevice physical, const char* name) {
  std::uint32_t count = 0;
  vkEnumerateDeviceExtensionProperties(physical, nullptr, &count, nullptr);
  std::vector<VkExtensionProperties> extensions(count);
  vkEnumerateDeviceExtensionProperties(physical, nullptr, &count, extensions.data());
  return lists_extension(extensions, name);
}

// A Vulkan 1.1 instance with no surface extension: the report never shows a window.
VkResult create_instance(bool debug_utils, VkInstance& instance) {
  VkApplicationInfo application{};
  application.sType = VK_STRUCTURE_TYPE_APPLICATION_INFO;
  application.pApplicationName = "kestrel-report";
  application.apiVersion = VK_API_VERSION_1_1;
  const char* const extensions[] = {VK_EXT_DEBUG_UTILS_EXTENSION_NAME};
  VkInstanceCreateInfo info{};
  info.sType = VK_STRUCTURE_TYPE_INSTANCE_CREATE_INFO;
  info.pApplicationInfo = &application;
  info.enabledExtensionCount = debug_utils ? 1 : 0;
  info.ppEnabledExtensionNames = extensions;
  return vkCreateInstance(&info, nullptr, &instance);
}

std::vector<VkPhysicalDevice> physical_devices(VkInstance instance) {
  std::uint32_t count = 0;
  vkEnumeratePhysicalDevices(instance, &count, nullptr);
  std::vector<VkPhysicalDevice> devices(count);
  vkEnumeratePhysicalDevices(instance, &count, devices.data());
  devices.resize(count);
  return devices;
}

// The driver's name and information come with Vulkan 1.2 or VK_KHR_driver_properties; older
// drivers are named by their version number alone.
VulkanDeviceDescription describe(VkPhysicalDevice physical) {
  VkPhysicalDeviceProperties properties;
  vkGetPhysicalDeviceProperties(physical, &properties);
  VulkanDeviceDescription description;
  description.name = properties.deviceName;
  description.type = type_name(properties.deviceType);
  description.api_version = properties.apiVersion;
  description.driver = format_text("driver version 0x%x", properties.driverVersion);
  if (properties.apiVersion >= VK_API_VERSION_1_2 ||
      device_has_extension(physical, VK_KHR_DRIVER_PROPERTIES_EXTENSION_NAME)) {
    VkPhysicalDeviceDriverProperties driver{};
    driver.sType = VK_STRUCTURE_TYPE_PHYSICAL_DEVICE_DRIVER_PROPERTIES;
    VkPhysicalDeviceProperties2 properties2{};
    properties2.sType = VK_STRUCTURE_TYPE_PHYSICAL_DEVICE_PROPERTIES_2;
    properties2.pNext = &driver;
    vkGetPhysicalDeviceProperties2(physical, &properties2);
    description.driver = std::string(driver.driverName) + ", " + driver.driverInfo;
  }
  return description;
}

std::vector<VkQueueFamilyProperties> queue_families(VkPhysicalDevice physical) {
  std::uint32_t count = 0;
  vkGetPhysicalDeviceQueueFamilyProperties(physical, &count, nullptr);
  std::vector<VkQueueFamilyProperties> families(count);
  vkGetPhysicalDeviceQueueFamilyProperties(physical, &count, families.data());
  return families;
}

// The first queue family that draws, or -1.
int graphics_family(VkPhysicalDevice physical) {
  const std::vector<VkQueueFamilyProperties> families = queue_families(physical);
  for (std::size_t i = 0; i < families.size(); ++i)
    if (families[i].queueFlags & VK_QUEUE_GRAPHICS_BIT) return static_cast<int>(i);
  return -1;
}

}  // namespace

std::string vulkan_failure(const char* call, VkResult result) {
  return std::string(call) + " failed: " + result_name(result);
}

std::string vulkan_version_text(std::uint32_t version) {
  return format_text("%u.%u.%u", VK_API_VERSION_MAJOR(version), VK_API_VERSION_MINOR(version),
                     VK_API_VERSION_PATCH(version));
}

bool list_vulkan_devices(std::vector<VulkanDeviceDescription>& devices, std::string& error) {
  VkInstance instance = VK_NULL_HANDLE;
  const VkResult result = create_instance(false, instance);
  if (result != VK_SUCCESS) {
    error = vulkan_failure("vkCreateInstance", result);
    return false;
  }
  for (VkPhysicalDevice physical : physical_devices(instance))
    devices.push_back(describe(physical));
  vkDestroyInstance(instance, nullptr);
  return true;
}

VulkanDevice::~VulkanDevice() {
  if (device_) vkDestroyDevice(device_, nullptr);
  if (messenger_) {
    const auto destroy = reinterpret_cast<PFN_vkDestroyDebugUtilsMessengerEXT>(
        vkGetInstanceProcAddr(instance_, "vkDestroyDebugUtilsMessengerEXT"));
    if (destroy) destroy(instance_, messenger_, nullptr);
  }
  if (instance_) vkDestroyInstance(instance_, nullptr);
}

VkBool32 VulkanDevice::tell(VkDebugUtilsMessageSeverityFlagBitsEXT severity,
                            VkDebugUtilsMessageTypeFlagsEXT,
                            const VkDebugUtilsMessengerCallbackDataEXT* data, void* self) {
  ++static_cast<VulkanDevice*>(self)->messages_;
  std::fprintf(stderr, "kestrel-report: Vulkan %s: %s\n",
               severity >= VK_DEBUG_UTILS_MESSAGE_SEVERITY_ERROR_BIT_EXT ? "error" : "warning",
               data && data->pMessage ? data->pMessage : "(no message)");
  return VK_FALSE;
}

bool VulkanDevice::open(int index, std::string& error) {
  const bool debug_utils = instance_has_extension(VK_EXT_DEBUG_UTILS_EXTENSION_NAME);
  const VkResult result = create_instance(debug_utils, instance_);
  if (result != VK_SUCCESS) {
    instance_ = VK_NULL_HANDLE;
    error = vulkan_failure("vkCreateInstance", result);
    return false;
  }
  if (debug_utils) listen();
  return pick(index, error) && create_device(error);
}

void VulkanDevice::listen() {
  VkDebugUtilsMessengerCreateInfoEXT info{};
  info.sType = VK_STRUCTURE_TYPE_DEBUG_UTILS_MESSENGER_CREATE_INFO_EXT;
  info.messageSeverity = VK_DEBUG_UTILS_MESSAGE_SEVERITY_WARNING_BIT_EXT |
                         VK_DEBUG_UTILS_MESSAGE_SEVERITY_ERROR_BIT_EXT;
  info.messageType = VK_DEBUG_UTILS_MESSAGE_TYPE_GENERAL_BIT_EXT |
                     VK_DEBUG_UTILS_MESSAGE_TYPE_VALIDATION_BIT_EXT |
                     VK_DEBUG_UTILS_MESSAGE_TYPE_PERFORMANCE_BIT_EXT;
  info.pfnUserCallback = &VulkanDevice::tell;
  info.pUserData = this;
  const auto create = reinterpret_cast<PFN_vkCreateDebugUtilsMessengerEXT>(
      vkGetInstanceProcAddr(instance_, "vkCreateDebugUtilsMessengerEXT"));
  if (create && create(instance_, &info, nullptr, &messenger_) != VK_SUCCESS)
    messenger_ = VK_NULL_HANDLE;
}

bool VulkanDevice::pick(int index, std::string& error) {
  const std::vector<VkPhysicalDevice> devices = physical_devices(instance_);
  if (devices.empty()) {
    error = "the Vulkan loader lists no devices";
    return false;
  }
  if (index >= static_cast<int>(devices.size())) {
    error = format_text("there is no Vulkan device %d", index);
    return false;
  }
  int family = -1;
  if (index >= 0) {
    family = graphics_family(devices[index]);
  } else {
    for (index = 0; index < static_cast<int>(devices.size()); ++index)
      if ((family = graphics_family(devices[index])) >= 0) break;
  }
  if (family < 0) {
    error = "no Vulkan device has a queue that draws";
    return false;
  }
  index_ = index;
  physical_ = devices[index];
  queue_family_ = static_cast<std::uint32_t>(family);
  vkGetPhysicalDeviceProperties(physical_, &properties_);
  description_ = describe(physical_);
  timestamp_bits_ = queue_families(physical_)[queue_family_].timestampValidBits;
  return true;
}

bool VulkanDevice::create_device(std::string& error) {
  VkPhysicalDeviceFeatures available;
  vkGetPhysicalDeviceFeatures(physical_, &available);
  anisotropy_ = available.samplerAnisotropy == VK_TRUE;
  const float priority = 1.0f;
  VkDeviceQueueCreateInfo queue{};
  queue.sType = VK_STRUCTURE_TYPE_DEVICE_QUEUE_CREATE_INFO;
  queue.queueFamilyIndex = queue_family_;
  queue.queueCount = 1;
  queue.pQueuePriorities = &priority;
  VkPhysicalDeviceFeatures features{};
  features.samplerAnisotropy = available.samplerAnisotropy;
  VkDeviceCreateInfo info{};
  info.sType = VK_STRUCTURE_TYPE_DEVICE_CREATE_INFO;
  info.queueCreateInfoCount = 1;
  info.pQueueCreateInfos = &queue;
  info.pEnabledFeatures = &features;
  const VkResult result = vkCreateDevice(physical_, &info, nullptr, &device_);
  if (result != VK_SUCCESS) {
    device_ = VK_NULL_HANDLE;
    error = vulkan_failure("vkCreateDevice", result);
    return false;
  }
  vkGetDeviceQueue(device_, queue_family_, 0, &queue_);
  return true;
}
