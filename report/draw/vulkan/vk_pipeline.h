// How the report's plane is drawn on Vulkan: the render pass into a colour and a depth image,
// the layouts of the units' textures and of the plane's matrix, and the pipelines, each made
// once by the renderer.
#pragma once

#include <vulkan/vulkan.h>

#include <cstdint>

#include "report/draw/vulkan/vk_objects.h"

// The format of the colour image the report draws into and of every texture it samples.
inline constexpr VkFormat colour_format = VK_FORMAT_R8G8B8A8_UNORM;

// The deepest depth format of D32_SFLOAT, X8_D24 and D16 the device draws into. Throws
// VulkanError when it draws into none.
VkFormat depth_format(VkPhysicalDevice physical);

// One subpass into attachment 0, colour_format, and attachment 1, `depth`, both cleared; the
// colour ends ready to be copied (TRANSFER_SRC_OPTIMAL). It waits for the last submission's copy
// of the colour, and the copy after it for its drawing.
VkRenderPassObject make_render_pass(VkDevice device, VkFormat depth);

// Binding 0: `units` combined image samplers for the fragment shader, one a texture unit.
VkSetLayoutObject make_set_layout(VkDevice device, int units);

// One set of `set_layout` and `constants_size` bytes of push constants for the vertex shader.
VkPipelineLayoutObject make_pipeline_layout(VkDevice device, VkDescriptorSetLayout set_layout,
                                            std::uint32_t constants_size);

// The plane's shaders with `units` units in use (1 to 4), each unit's colour multiplying unit
// 0's: triangles of PlaneCorner vertices, GL's depth test (less, written), no culling, the
// viewport and scissor set when drawing.
VkPipelineObject make_pipeline(VkDevice device, VkRenderPass pass, VkPipelineLayout layout,
                               std::int32_t units);
