// The Vulkan objects the report's renderer owns, as RAII handles: each destroyed with its owner,
// and buffers and images together with their memory.
#pragma once

#include <vulkan/vulkan.h>

#include <stdexcept>
#include <string>
#include <utility>

// A Vulkan call that failed while drawing: what failed and its result (vulkan_failure).
class VulkanError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws VulkanError naming `call` unless `result` is VK_SUCCESS.
void check(VkResult result, const char* call);

// One handle made on `device`, destroyed by `destroy` when the object ends or is replaced.
template <typename Handle, void (*destroy)(VkDevice, Handle, const VkAllocationCallbacks*)>
class DeviceObject {
 public:
  DeviceObject() = default;
  ~DeviceObject() { reset(); }
  DeviceObject(DeviceObject&& other) noexcept
      : device_(other.device_), handle_(std::exchange(other.handle_, VK_NULL_HANDLE)) {}
  DeviceObject& operator=(DeviceObject&& other) noexcept {
    if (this != &other) {
      reset();
      device_ = other.device_;
      handle_ = std::exchange(other.handle_, VK_NULL_HANDLE);
    }
    return *this;
  }

  Handle get() const { return handle_; }
  // Destroys the handle held and returns where a vkCreate call made on `device` writes the next.
  Handle* receive(VkDevice device) {
    reset();
    device_ = device;
    return &handle_;
  }
  void reset() {
    if (handle_ != VK_NULL_HANDLE) destroy(device_, handle_, nullptr);
    handle_ = VK_NULL_HANDLE;
  }

 private:
  VkDevice device_ = VK_NULL_HANDLE;
  Handle handle_ = VK_NULL_HANDLE;
};

using VkBufferObject = DeviceObject<VkBuffer, vkDestroyBuffer>;
using VkMemoryObject = DeviceObject<VkDeviceMemory, vkFreeMemory>;
using VkImageObject = DeviceObject<VkImage, vkDestroyImage>;
using VkImageViewObject = DeviceObject<VkImageView, vkDestroyImageView>;
using VkSamplerObject = DeviceObject<VkSampler, vkDestroySampler>;
using VkRenderPassObject = DeviceObject<VkRenderPass, vkDestroyRenderPass>;
using VkFramebufferObject = DeviceObject<VkFramebuffer, vkDestroyFramebuffer>;
using VkShaderObject = DeviceObject<VkShaderModule, vkDestroyShaderModule>;
using VkSetLayoutObject = DeviceObject<VkDescriptorSetLayout, vkDestroyDescriptorSetLayout>;
using VkPipelineLayoutObject = DeviceObject<VkPipelineLayout, vkDestroyPipelineLayout>;
using VkPipelineObject = DeviceObject<VkPipeline, vkDestroyPipeline>;
using VkDescriptorPoolObject = DeviceObject<VkDescriptorPool, vkDestroyDescriptorPool>;
using VkCommandPoolObject = DeviceObject<VkCommandPool, vkDestroyCommandPool>;
using VkFenceObject = DeviceObject<VkFence, vkDestroyFence>;
using VkQueryPoolObject = DeviceObject<VkQueryPool, vkDestroyQueryPool>;

// A buffer in host-visible, coherent memory, mapped for its whole lifetime.
struct HostBuffer {
  VkBufferObject buffer;
  VkMemoryObject memory;
  void* mapped = nullptr;
};

// A buffer of `size` bytes for `usage`, mapped. Throws VulkanError when it cannot be made.
HostBuffer make_host_buffer(VkPhysicalDevice physical, VkDevice device, VkDeviceSize size,
                            VkBufferUsageFlags usage);

// A 2D image with its memory and a view of all its levels.
struct DeviceImage {
  VkImageObject image;
  VkMemoryObject memory;
  VkImageViewObject view;
};

// A width × height image of `format` with `levels` mipmap levels for `usage`, optimal tiling,
// in device-local memory where there is any, seen through a view of `aspect`. Throws
// VulkanError when it cannot be made.
DeviceImage make_device_image(VkPhysicalDevice physical, VkDevice device, int width, int height,
                              int levels, VkFormat format, VkImageUsageFlags usage,
                              VkImageAspectFlags aspect);
