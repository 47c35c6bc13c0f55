// The renderer's buffers and images and their memory.
#include "report/draw/vulkan/vk_objects.h"

#include "report/draw/vulkan/vk_device.h"

namespace {

// The first memory type of `allowed` with all of `wanted`, else the first with `fallback`.
std::uint32_t memory_type(VkPhysicalDevice physical, std::uint32_t allowed,
                          VkMemoryPropertyFlags wanted, VkMemoryPropertyFlags fallback) {
  VkPhysicalDeviceMemoryProperties memory;
  vkGetPhysicalDeviceMemoryProperties(physical, &memory);
  for (const VkMemoryPropertyFlags flags : {wanted, fallback})
    for (std::uint32_t i = 0; i < memory.memoryTypeCount; ++i)
      if ((allowed & (1u << i)) && (memory.memoryTypes[i].propertyFlags & flags) == flags) return i;
  throw VulkanError("no Vulkan memory type fits");
}

VkMemoryObject allocate(VkPhysicalDevice physical, VkDevice device,
                        const VkMemoryRequirements& requirements, VkMemoryPropertyFlags wanted,
                        VkMemoryPropertyFlags fallback) {
  VkMemoryAllocateInfo info{};
  info.sType = VK_STRUCTURE_TYPE_MEMORY_ALLOCATE_INFO;
  info.allocationSize = requirements.size;
  info.memoryTypeIndex = memory_type(physical, requirements.memoryTypeBits, wanted, fallback);
  VkMemoryObject memory;
  check(vkAllocateMemory(device, &info, nullptr, memory.receive(device)), "vkAllocateMemory");
  return memory;
}

}  // namespace

void check(VkResult result, const char* call) {
  if (result != VK_SUCCESS) throw VulkanError(vulkan_failure(call, result));
}

HostBuffer make_host_buffer(VkPhysicalDevice physical, VkDevice device, VkDeviceSize size,
                            VkBufferUsageFlags usage) {
  HostBuffer buffer;
  VkBufferCreateInfo info{};
  info.sType = VK_STRUCTURE_TYPE_BUFFER_CREATE_INFO;
  info.size = size;
  info.usage = usage;
  info.sharingMode = VK_SHARING_MODE_EXCLUSIVE;
  check(vkCreateBuffer(device, &info, nullptr, buffer.buffer.receive(device)), "vkCreateBuffer");
  VkMemoryRequirements requirements;
  vkGetBufferMemoryRequirements(device, buffer.buffer.get(), &requirements);
  const VkMemoryPropertyFlags host =
      VK_MEMORY_PROPERTY_HOST_VISIBLE_BIT | VK_MEMORY_PROPERTY_HOST_COHERENT_BIT;
  buffer.memory = allocate(physical, device, requirements, host, host);
  check(vkBindBufferMemory(device, buffer.buffer.get(), buffer.memory.get(), 0),
        "vkBindBufferMemory");
  check(vkMapMemory(device, buffer.memory.get(), 0, VK_WHOLE_SIZE, 0, &buffer.mapped),
        "vkMapMemory");
  return buffer;
}

DeviceImage make_device_image(VkPhysicalDevice physical, VkDevice device, int width, int height,
                              int levels, VkFormat format, VkImageUsageFlags usage,
                              VkImageAspectFlags aspect) {
  DeviceImage image;
  VkImageCreateInfo info{};
  info.sType = VK_STRUCTURE_TYPE_IMAGE_CREATE_INFO;
  info.imageType = VK_IMAGE_TYPE_2D;
  info.format = format;
  info.extent = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 1};
  info.mipLevels = static_cast<std::uint32_t>(levels);
  info.arrayLayers = 1;
  info.samples = VK_SAMPLE_COUNT_1_BIT;
  info.tiling = VK_IMAGE_TILING_OPTIMAL;
  info.usage = usage;
  info.sharingMode = VK_SHARING_MODE_EXCLUSIVE;
  info.initialLayout = VK_IMAGE_LAYOUT_UNDEFINED;
  check(vkCreateImage(device, &info, nullptr, image.image.receive(device)), "vkCreateImage");
  VkMemoryRequirements requirements;
  vkGetImageMemoryRequirements(device, image.image.get(), &requirements);
  image.memory = allocate(physical, device, requirements, VK_MEMORY_PROPERTY_DEVICE_LOCAL_BIT, 0);
  check(vkBindImageMemory(device, image.image.get(), image.memory.get(), 0), "vkBindImageMemory");
  VkImageViewCreateInfo view{};
  view.sType = VK_STRUCTURE_TYPE_IMAGE_VIEW_CREATE_INFO;
  view.image = image.image.get();
  view.viewType = VK_IMAGE_VIEW_TYPE_2D;
  view.format = format;
  view.subresourceRange = {aspect, 0, static_cast<std::uint32_t>(levels), 0, 1};
  check(vkCreateImageView(device, &view, nullptr, image.view.receive(device)), "vkCreateImageView");
  return image;
}
