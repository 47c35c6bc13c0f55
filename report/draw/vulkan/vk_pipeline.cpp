// The render pass, the layouts and the pipelines the plane is drawn with.
#include "report/draw/vulkan/vk_pipeline.h"

#include <cstddef>

#include "report/draw/vulkan/shaders/plane_frag.h"
#include "report/draw/vulkan/shaders/plane_vert.h"
#include "scene/scene.h"

namespace {

template <std::size_t words>
VkShaderObject make_shader(VkDevice device, const std::uint32_t (&code)[words]) {
  VkShaderModuleCreateInfo info{};
  info.sType = VK_STRUCTURE_TYPE_SHADER_MODULE_CREATE_INFO;
  info.codeSize = sizeof code;
  info.pCode = code;
  VkShaderObject shader;
  check(vkCreateShaderModule(device, &info, nullptr, shader.receive(device)),
        "vkCreateShaderModule");
  return shader;
}

}  // namespace

// GL's depth buffers hold 24 bits or more: the first format that draws of the deepest first.
VkFormat depth_format(VkPhysicalDevice physical) {
  for (const VkFormat format :
       {VK_FORMAT_D32_SFLOAT, VK_FORMAT_X8_D24_UNORM_PACK32, VK_FORMAT_D16_UNORM}) {
    VkFormatProperties properties;
    vkGetPhysicalDeviceFormatProperties(physical, format, &properties);
    if (properties.optimalTilingFeatures & VK_FORMAT_FEATURE_DEPTH_STENCIL_ATTACHMENT_BIT)
      return format;
  }
  throw VulkanError("the Vulkan device has no depth format to draw with");
}

VkRenderPassObject make_render_pass(VkDevice device, VkFormat depth) {
  VkAttachmentDescription attachments[2]{};
  attachments[0].format = colour_format;
  attachments[0].samples = VK_SAMPLE_COUNT_1_BIT;
  attachments[0].loadOp = VK_ATTACHMENT_LOAD_OP_CLEAR;
  attachments[0].storeOp = VK_ATTACHMENT_STORE_OP_STORE;
  attachments[0].stencilLoadOp = VK_ATTACHMENT_LOAD_OP_DONT_CARE;
  attachments[0].stencilStoreOp = VK_ATTACHMENT_STORE_OP_DONT_CARE;
  attachments[0].initialLayout = VK_IMAGE_LAYOUT_UNDEFINED;
  attachments[0].finalLayout = VK_IMAGE_LAYOUT_TRANSFER_SRC_OPTIMAL;
  attachments[1] = attachments[0];
  attachments[1].format = depth;
  attachments[1].storeOp = VK_ATTACHMENT_STORE_OP_DONT_CARE;
  attachments[1].finalLayout = VK_IMAGE_LAYOUT_DEPTH_STENCIL_ATTACHMENT_OPTIMAL;
  const VkAttachmentReference colour{0, VK_IMAGE_LAYOUT_COLOR_ATTACHMENT_OPTIMAL};
  const VkAttachmentReference depth_reference{1, VK_IMAGE_LAYOUT_DEPTH_STENCIL_ATTACHMENT_OPTIMAL};
  VkSubpassDescription subpass{};
  subpass.pipelineBindPoint = VK_PIPELINE_BIND_POINT_GRAPHICS;
  subpass.colorAttachmentCount = 1;
  subpass.pColorAttachments = &colour;
  subpass.pDepthStencilAttachment = &depth_reference;
  // The last submission's copy reads the colour before this one clears it, and this one's copy
  // reads it after the draw.
  VkSubpassDependency dependencies[2]{};
  dependencies[0].srcSubpass = VK_SUBPASS_EXTERNAL;
  dependencies[0].dstSubpass = 0;
  dependencies[0].srcStageMask =
      VK_PIPELINE_STAGE_TRANSFER_BIT | VK_PIPELINE_STAGE_LATE_FRAGMENT_TESTS_BIT;
  dependencies[0].srcAccessMask =
      VK_ACCESS_TRANSFER_READ_BIT | VK_ACCESS_DEPTH_STENCIL_ATTACHMENT_WRITE_BIT;
  dependencies[0].dstStageMask =
      VK_PIPELINE_STAGE_COLOR_ATTACHMENT_OUTPUT_BIT | VK_PIPELINE_STAGE_EARLY_FRAGMENT_TESTS_BIT;
  dependencies[0].dstAccessMask =
      VK_ACCESS_COLOR_ATTACHMENT_WRITE_BIT | VK_ACCESS_DEPTH_STENCIL_ATTACHMENT_WRITE_BIT;
  dependencies[1].srcSubpass = 0;
  dependencies[1].dstSubpass = VK_SUBPASS_EXTERNAL;
  dependencies[1].srcStageMask = VK_PIPELINE_STAGE_COLOR_ATTACHMENT_OUTPUT_BIT;
  dependencies[1].srcAccessMask = VK_ACCESS_COLOR_ATTACHMENT_WRITE_BIT;
  dependencies[1].dstStageMask = VK_PIPELINE_STAGE_TRANSFER_BIT;
  dependencies[1].dstAccessMask = VK_ACCESS_TRANSFER_READ_BIT;
  VkRenderPassCreateInfo info{};
  info.sType = VK_STRUCTURE_TYPE_RENDER_PASS_CREATE_INFO;
  info.attachmentCount = 2;
  info.pAttachments = attachments;
  info.subpassCount = 1;
  info.pSubpasses = &subpass;
  info.dependencyCount = 2;
  info.pDependencies = dependencies;
  VkRenderPassObject pass;
  check(vkCreateRenderPass(device, &info, nullptr, pass.receive(device)), "vkCreateRenderPass");
  return pass;
}

namespace {

// The plane's fixed-function states: its corners as vertices, triangles, one viewport and scissor
// set per draw, no culling, one sample, the depth test, colour written unblended. Filled in
// place, as the create infos point at one another.
struct PlaneStates {
  PlaneStates();
  PlaneStates(const PlaneStates&) = delete;
  PlaneStates& operator=(const PlaneStates&) = delete;

  // Points `info` at every state.
  void describe(VkGraphicsPipelineCreateInfo& info) const;

  const VkVertexInputBindingDescription binding{0, sizeof(PlaneCorner),
                                                VK_VERTEX_INPUT_RATE_VERTEX};
  const VkVertexInputAttributeDescription attributes[2] = {
      {0, 0, VK_FORMAT_R32G32_SFLOAT, offsetof(PlaneCorner, x)},
      {1, 0, VK_FORMAT_R32G32_SFLOAT, offsetof(PlaneCorner, s)}};
  const VkDynamicState dynamic_states[2] = {VK_DYNAMIC_STATE_VIEWPORT, VK_DYNAMIC_STATE_SCISSOR};
  VkPipelineVertexInputStateCreateInfo input{};
  VkPipelineInputAssemblyStateCreateInfo assembly{};
  VkPipelineViewportStateCreateInfo viewport{};
  VkPipelineRasterizationStateCreateInfo raster{};
  VkPipelineMultisampleStateCreateInfo multisample{};
  VkPipelineDepthStencilStateCreateInfo depth{};
  VkPipelineColorBlendAttachmentState blend{};
  VkPipelineColorBlendStateCreateInfo colour{};
  VkPipelineDynamicStateCreateInfo dynamic{};
};

PlaneStates::PlaneStates() {
  input.sType = VK_STRUCTURE_TYPE_PIPELINE_VERTEX_INPUT_STATE_CREATE_INFO;
  input.vertexBindingDescriptionCount = 1;
  input.pVertexBindingDescriptions = &binding;
  input.vertexAttributeDescriptionCount = 2;
  input.pVertexAttributeDescriptions = attributes;
  assembly.sType = VK_STRUCTURE_TYPE_PIPELINE_INPUT_ASSEMBLY_STATE_CREATE_INFO;
  assembly.topology = VK_PRIMITIVE_TOPOLOGY_TRIANGLE_LIST;
  viewport.sType = VK_STRUCTURE_TYPE_PIPELINE_VIEWPORT_STATE_CREATE_INFO;
  viewport.viewportCount = viewport.scissorCount = 1;
  raster.sType = VK_STRUCTURE_TYPE_PIPELINE_RASTERIZATION_STATE_CREATE_INFO;
  raster.polygonMode = VK_POLYGON_MODE_FILL;
  raster.cullMode = VK_CULL_MODE_NONE;
  raster.frontFace = VK_FRONT_FACE_COUNTER_CLOCKWISE;
  raster.lineWidth = 1.0f;
  multisample.sType = VK_STRUCTURE_TYPE_PIPELINE_MULTISAMPLE_STATE_CREATE_INFO;
  multisample.rasterizationSamples = VK_SAMPLE_COUNT_1_BIT;
  depth.sType = VK_STRUCTURE_TYPE_PIPELINE_DEPTH_STENCIL_STATE_CREATE_INFO;
  depth.depthTestEnable = depth.depthWriteEnable = VK_TRUE;
  // As GL_LESS for each first draw after a clear; a draw repeated at the same depths passes.
  depth.depthCompareOp = VK_COMPARE_OP_LESS_OR_EQUAL;
  blend.colorWriteMask = VK_COLOR_COMPONENT_R_BIT | VK_COLOR_COMPONENT_G_BIT |
                         VK_COLOR_COMPONENT_B_BIT | VK_COLOR_COMPONENT_A_BIT;
  colour.sType = VK_STRUCTURE_TYPE_PIPELINE_COLOR_BLEND_STATE_CREATE_INFO;
  colour.attachmentCount = 1;
  colour.pAttachments = &blend;
  dynamic.sType = VK_STRUCTURE_TYPE_PIPELINE_DYNAMIC_STATE_CREATE_INFO;
  dynamic.dynamicStateCount = 2;
  dynamic.pDynamicStates = dynamic_states;
}

void PlaneStates::describe(VkGraphicsPipelineCreateInfo& info) const {
  info.pVertexInputState = &input;
  info.pInputAssemblyState = &assembly;
  info.pViewportState = &viewport;
  info.pRasterizationState = &raster;
  info.pMultisampleState = &multisample;
  info.pDepthStencilState = &depth;
  info.pColorBlendState = &colour;
  info.pDynamicState = &dynamic;
}

}  // namespace

VkPipelineObject make_pipeline(VkDevice device, VkRenderPass pass, VkPipelineLayout layout,
                               std::int32_t units) {
  const VkShaderObject vertex = make_shader(device, plane_vert_spirv);
  const VkShaderObject fragment = make_shader(device, plane_frag_spirv);
  VkPipelineShaderStageCreateInfo stages[2]{};
  stages[0].sType = stages[1].sType = VK_STRUCTURE_TYPE_PIPELINE_SHADER_STAGE_CREATE_INFO;
  stages[0].stage = VK_SHADER_STAGE_VERTEX_BIT;
  stages[0].module = vertex.get();
  stages[1].stage = VK_SHADER_STAGE_FRAGMENT_BIT;
  stages[1].module = fragment.get();
  stages[0].pName = stages[1].pName = "main";
  const VkSpecializationMapEntry units_entry{0, 0, sizeof units};
  VkSpecializationInfo specialization{};
  specialization.mapEntryCount = 1;
  specialization.pMapEntries = &units_entry;
  specialization.dataSize = sizeof units;
  specialization.pData = &units;
  stages[1].pSpecializationInfo = &specialization;
  const PlaneStates states;
  VkGraphicsPipelineCreateInfo info{};
  info.sType = VK_STRUCTURE_TYPE_GRAPHICS_PIPELINE_CREATE_INFO;
  info.stageCount = 2;
  info.pStages = stages;
  states.describe(info);
  info.layout = layout;
  info.renderPass = pass;
  VkPipelineObject pipeline;
  check(vkCreateGraphicsPipelines(device, VK_NULL_HANDLE, 1, &info, nullptr,
                                  pipeline.receive(device)),
        "vkCreateGraphicsPipelines");
  return pipeline;
}

VkSetLayoutObject make_set_layout(VkDevice device, int units) {
  VkDescriptorSetLayoutBinding binding{};
  binding.binding = 0;
  binding.descriptorType = VK_DESCRIPTOR_TYPE_COMBINED_IMAGE_SAMPLER;
  binding.descriptorCount = static_cast<std::uint32_t>(units);
  binding.stageFlags = VK_SHADER_STAGE_FRAGMENT_BIT;
  VkDescriptorSetLayoutCreateInfo info{};
  info.sType = VK_STRUCTURE_TYPE_DESCRIPTOR_SET_LAYOUT_CREATE_INFO;
  info.bindingCount = 1;
  info.pBindings = &binding;
  VkSetLayoutObject layout;
  check(vkCreateDescriptorSetLayout(device, &info, nullptr, layout.receive(device)),
        "vkCreateDescriptorSetLayout");
  return layout;
}

VkPipelineLayoutObject make_pipeline_layout(VkDevice device, VkDescriptorSetLayout set_layout,
                                            std::uint32_t constants_size) {
  const VkPushConstantRange constants{VK_SHADER_STAGE_VERTEX_BIT, 0, constants_size};
  VkPipelineLayoutCreateInfo info{};
  info.sType = VK_STRUCTURE_TYPE_PIPELINE_LAYOUT_CREATE_INFO;
  info.setLayoutCount = 1;
  info.pSetLayouts = &set_layout;
  info.pushConstantRangeCount = 1;
  info.pPushConstantRanges = &constants;
  VkPipelineLayoutObject layout;
  check(vkCreatePipelineLayout(device, &info, nullptr, layout.receive(device)),
        "vkCreatePipelineLayout");
  return layout;
}
