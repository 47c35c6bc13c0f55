// The report's scene drawn offscreen through a Vulkan pipeline of its own.
#include "report/draw/vulkan/vk_scene_renderer.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>

#include "base/text_format.h"
#include "image/box_filter.h"
#include "image/color_mip_levels.h"
#include "image/picture_text.h"
#include "report/draw/vulkan/vk_pipeline.h"
#include "report/draw/window_panels.h"
#include "report/measure/panel_geometry.h"
#include "scene/panel_layout.h"
#include "scene/scene.h"

namespace {

constexpr int max_units = 4;
// The descriptor sets: one a panel of the test window, the first also for every single draw.
constexpr int set_count = 8;

// What the vertex shader's push constants hold: the plane's matrix.
using DrawConstants = float[16];

// The matrices are GL's (panel_geometry, with the move after the projection as the GL path
// makes it); Vulkan's clip space differs from GL's in two ways, corrected after them: its y
// points down the image, so y is negated and the picture's top lands in the image's first row,
// and its depth runs from 0 to 1 rather than from -1 to 1, so z becomes (z + w) / 2.
Matrix4 clip_from_plane(const SceneView& view, int width, int height, double shift_x,
                        double shift_y) {
  const PanelGeometry geometry = panel_geometry(view, width, height);
  Matrix4 clip;
  clip.m[5] = -1.0f;
  clip.m[10] = 0.5f;
  clip.m[14] = 0.5f;
  Matrix4 shift;  // in normalised device coordinates: 2 / size a pixel
  shift.set_translation({static_cast<float>(2.0 * shift_x / width),
                         static_cast<float>(2.0 * shift_y / height), 0.0f});
  clip.multiply(shift);
  clip.multiply(geometry.projection);
  clip.multiply(geometry.modelview);
  return clip;
}

}  // namespace

VkSceneRenderer::VkSceneRenderer(const VulkanDevice& device, RunTimes& times,
                                 const std::vector<RgbImage>& unit_pictures)
    : device_(device), times_(times) {
  make_targets();
  const VkDevice d = device.device();
  set_layout_ = make_set_layout(d, max_units);
  pipeline_layout_ = make_pipeline_layout(d, set_layout_.get(), sizeof(DrawConstants));
  for (std::int32_t units = 1; units <= max_units; ++units)
    pipelines_.push_back(make_pipeline(d, render_pass_.get(), pipeline_layout_.get(), units));
  make_descriptor_sets();
  make_commands();
  make_plane();
  make_textures(unit_pictures);
}

void VkSceneRenderer::make_targets() {
  const VkDevice d = device_.device();
  const VkPhysicalDevice p = device_.physical();
  const VkFormat depth = depth_format(p);
  colour_target_ =
      make_device_image(p, d, test_window_width, test_window_height, 1, colour_format,
                        VK_IMAGE_USAGE_COLOR_ATTACHMENT_BIT | VK_IMAGE_USAGE_TRANSFER_SRC_BIT,
                        VK_IMAGE_ASPECT_COLOR_BIT);
  depth_target_ =
      make_device_image(p, d, test_window_width, test_window_height, 1, depth,
                        VK_IMAGE_USAGE_DEPTH_STENCIL_ATTACHMENT_BIT, VK_IMAGE_ASPECT_DEPTH_BIT);
  render_pass_ = make_render_pass(d, depth);
  const VkImageView attachments[] = {colour_target_.view.get(), depth_target_.view.get()};
  VkFramebufferCreateInfo framebuffer{};
  framebuffer.sType = VK_STRUCTURE_TYPE_FRAMEBUFFER_CREATE_INFO;
  framebuffer.renderPass = render_pass_.get();
  framebuffer.attachmentCount = 2;
  framebuffer.pAttachments = attachments;
  framebuffer.width = test_window_width;
  framebuffer.height = test_window_height;
  framebuffer.layers = 1;
  check(vkCreateFramebuffer(d, &framebuffer, nullptr, framebuffer_.receive(d)),
        "vkCreateFramebuffer");
}

void VkSceneRenderer::make_descriptor_sets() {
  const VkDevice d = device_.device();
  const VkDescriptorPoolSize pool_size{VK_DESCRIPTOR_TYPE_COMBINED_IMAGE_SAMPLER,
                                       set_count * max_units};
  VkDescriptorPoolCreateInfo pool{};
  pool.sType = VK_STRUCTURE_TYPE_DESCRIPTOR_POOL_CREATE_INFO;
  pool.maxSets = set_count;
  pool.poolSizeCount = 1;
  pool.pPoolSizes = &pool_size;
  check(vkCreateDescriptorPool(d, &pool, nullptr, descriptor_pool_.receive(d)),
        "vkCreateDescriptorPool");
  const std::vector<VkDescriptorSetLayout> layouts(set_count, set_layout_.get());
  VkDescriptorSetAllocateInfo allocate{};
  allocate.sType = VK_STRUCTURE_TYPE_DESCRIPTOR_SET_ALLOCATE_INFO;
  allocate.descriptorPool = descriptor_pool_.get();
  allocate.descriptorSetCount = set_count;
  allocate.pSetLayouts = layouts.data();
  sets_.resize(set_count);
  check(vkAllocateDescriptorSets(d, &allocate, sets_.data()), "vkAllocateDescriptorSets");
}

void VkSceneRenderer::make_commands() {
  const VkDevice d = device_.device();
  VkCommandPoolCreateInfo command_pool{};
  command_pool.sType = VK_STRUCTURE_TYPE_COMMAND_POOL_CREATE_INFO;
  command_pool.flags = VK_COMMAND_POOL_CREATE_RESET_COMMAND_BUFFER_BIT;
  command_pool.queueFamilyIndex = device_.queue_family();
  check(vkCreateCommandPool(d, &command_pool, nullptr, command_pool_.receive(d)),
        "vkCreateCommandPool");
  VkCommandBufferAllocateInfo buffer{};
  buffer.sType = VK_STRUCTURE_TYPE_COMMAND_BUFFER_ALLOCATE_INFO;
  buffer.commandPool = command_pool_.get();
  buffer.level = VK_COMMAND_BUFFER_LEVEL_PRIMARY;
  buffer.commandBufferCount = 1;
  check(vkAllocateCommandBuffers(d, &buffer, &commands_), "vkAllocateCommandBuffers");
  VkFenceCreateInfo fence{};
  fence.sType = VK_STRUCTURE_TYPE_FENCE_CREATE_INFO;
  check(vkCreateFence(d, &fence, nullptr, fence_.receive(d)), "vkCreateFence");
  if (device_.timestamp_bits() > 0) {
    VkQueryPoolCreateInfo queries{};
    queries.sType = VK_STRUCTURE_TYPE_QUERY_POOL_CREATE_INFO;
    queries.queryType = VK_QUERY_TYPE_TIMESTAMP;
    queries.queryCount = 2;
    check(vkCreateQueryPool(d, &queries, nullptr, timestamps_.receive(d)), "vkCreateQueryPool");
  }
}

void VkSceneRenderer::make_plane() {
  const VkDevice d = device_.device();
  const VkPhysicalDevice p = device_.physical();
  // The plane's quads as two triangles each; the quads are flat, so the split shows nowhere.
  const std::vector<PlaneCorner> corners = plane_corners();
  vertices_ = make_host_buffer(p, d, corners.size() * sizeof(PlaneCorner),
                               VK_BUFFER_USAGE_VERTEX_BUFFER_BIT);
  std::memcpy(vertices_.mapped, corners.data(), corners.size() * sizeof(PlaneCorner));
  std::vector<std::uint32_t> indices;
  for (std::uint32_t quad = 0; quad < corners.size() / 4; ++quad)
    for (const std::uint32_t corner : {0u, 1u, 2u, 0u, 2u, 3u})
      indices.push_back(4 * quad + corner);
  index_count_ = static_cast<std::uint32_t>(indices.size());
  indices_ = make_host_buffer(p, d, indices.size() * sizeof(std::uint32_t),
                              VK_BUFFER_USAGE_INDEX_BUFFER_BIT);
  std::memcpy(indices_.mapped, indices.data(), indices.size() * sizeof(std::uint32_t));
  read_back_ = make_host_buffer(p, d, VkDeviceSize{4} * test_window_width * test_window_height,
                                VK_BUFFER_USAGE_TRANSFER_DST_BIT);
}

void VkSceneRenderer::make_textures(const std::vector<RgbImage>& unit_pictures) {
  colour_mip_ = upload(color_mip_images(0));
  RgbImage white(1, 1);
  white.texel(0, 0) = {255, 255, 255};
  neutral_ = upload({white});
  for (const RgbImage& picture : unit_pictures)
    unit_pictures_.push_back(upload(mip_chain(scaled_to_power_of_two(
        picture, static_cast<int>(device_.properties().limits.maxImageDimension2D)))));
}

VkSceneRenderer::~VkSceneRenderer() {
  // Nothing may be destroyed while the queue still uses it.
  vkQueueWaitIdle(device_.queue());
}

DriverInfo VkSceneRenderer::driver() const {
  const VkPhysicalDeviceProperties& properties = device_.properties();
  DriverInfo info;
  info.vendor = format_text("Vulkan vendor ID 0x%04x", properties.vendorID);
  // The API in the name that heads summaries, charts and comparisons: the same device through
  // GL names itself alike.
  info.renderer = std::string(properties.deviceName) + " through Vulkan";
  info.version =
      "Vulkan " + vulkan_version_text(properties.apiVersion) + ", " + device_.description().driver;
  info.max_anisotropy = device_.anisotropy() ? properties.limits.maxSamplerAnisotropy : 1.0f;
  info.tmu_count = unit_count();
  return info;
}

int VkSceneRenderer::unit_count() const {
  const VkPhysicalDeviceLimits& limits = device_.properties().limits;
  return static_cast<int>(std::min<std::uint32_t>({max_units,
                                                   limits.maxPerStageDescriptorSamplers,
                                                   limits.maxPerStageDescriptorSampledImages}));
}

VkSampler VkSceneRenderer::sampler(bool trilinear, float anisotropy, float lod_bias) {
  const VkPhysicalDeviceLimits& limits = device_.properties().limits;
  anisotropy = std::min(anisotropy, limits.maxSamplerAnisotropy);
  lod_bias = std::clamp(lod_bias, -limits.maxSamplerLodBias, limits.maxSamplerLodBias);
  VkSamplerObject& sampler = samplers_[{trilinear, anisotropy, lod_bias}];
  if (sampler.get() != VK_NULL_HANDLE) return sampler.get();
  // GL's defaults for the rest: repeating, every level in reach.
  VkSamplerCreateInfo info{};
  info.sType = VK_STRUCTURE_TYPE_SAMPLER_CREATE_INFO;
  info.magFilter = info.minFilter = VK_FILTER_LINEAR;
  info.mipmapMode = trilinear ? VK_SAMPLER_MIPMAP_MODE_LINEAR : VK_SAMPLER_MIPMAP_MODE_NEAREST;
  info.addressModeU = info.addressModeV = info.addressModeW = VK_SAMPLER_ADDRESS_MODE_REPEAT;
  info.mipLodBias = lod_bias;
  info.anisotropyEnable = device_.anisotropy() && anisotropy > 1.0f ? VK_TRUE : VK_FALSE;
  info.maxAnisotropy = info.anisotropyEnable ? anisotropy : 1.0f;
  info.minLod = 0.0f;
  info.maxLod = VK_LOD_CLAMP_NONE;
  const VkDevice d = device_.device();
  check(vkCreateSampler(d, &info, nullptr, sampler.receive(d)), "vkCreateSampler");
  return sampler.get();
}

DeviceImage VkSceneRenderer::upload(const std::vector<RgbImage>& levels) {
  const VkDevice d = device_.device();
  DeviceImage image = make_device_image(
      device_.physical(), d, levels[0].width(), levels[0].height(), static_cast<int>(levels.size()),
      colour_format, VK_IMAGE_USAGE_SAMPLED_BIT | VK_IMAGE_USAGE_TRANSFER_DST_BIT,
      VK_IMAGE_ASPECT_COLOR_BIT);
  VkDeviceSize bytes = 0;
  for (const RgbImage& level : levels) bytes += VkDeviceSize{4} * level.width() * level.height();
  const HostBuffer staging =
      make_host_buffer(device_.physical(), d, bytes, VK_BUFFER_USAGE_TRANSFER_SRC_BIT);
  std::vector<VkBufferImageCopy> copies;
  auto* out = static_cast<std::uint8_t*>(staging.mapped);
  VkDeviceSize offset = 0;
  // Row 0 of an RgbImage is t = 0, as row 0 of a Vulkan image is v = 0: the rows go as they are.
  for (std::size_t level = 0; level < levels.size(); ++level) {
    const RgbImage& picture = levels[level];
    const std::size_t count = static_cast<std::size_t>(picture.width()) * picture.height();
    for (std::size_t i = 0; i < count; ++i) {
      const RgbTexel& texel = picture.texels()[i];
      out[offset + 4 * i] = texel.red;
      out[offset + 4 * i + 1] = texel.green;
      out[offset + 4 * i + 2] = texel.blue;
      out[offset + 4 * i + 3] = 255;
    }
    VkBufferImageCopy copy{};
    copy.bufferOffset = offset;
    copy.imageSubresource = {VK_IMAGE_ASPECT_COLOR_BIT, static_cast<std::uint32_t>(level), 0, 1};
    copy.imageExtent = {static_cast<std::uint32_t>(picture.width()),
                        static_cast<std::uint32_t>(picture.height()), 1};
    copies.push_back(copy);
    offset += 4 * count;
  }
  const VkCommandBuffer commands = begin_commands();
  VkImageMemoryBarrier barrier{};
  barrier.sType = VK_STRUCTURE_TYPE_IMAGE_MEMORY_BARRIER;
  barrier.srcQueueFamilyIndex = barrier.dstQueueFamilyIndex = VK_QUEUE_FAMILY_IGNORED;
  barrier.image = image.image.get();
  barrier.subresourceRange = {VK_IMAGE_ASPECT_COLOR_BIT, 0,
                              static_cast<std::uint32_t>(levels.size()), 0, 1};
  barrier.oldLayout = VK_IMAGE_LAYOUT_UNDEFINED;
  barrier.newLayout = VK_IMAGE_LAYOUT_TRANSFER_DST_OPTIMAL;
  barrier.dstAccessMask = VK_ACCESS_TRANSFER_WRITE_BIT;
  vkCmdPipelineBarrier(commands, VK_PIPELINE_STAGE_TOP_OF_PIPE_BIT, VK_PIPELINE_STAGE_TRANSFER_BIT,
                       0, 0, nullptr, 0, nullptr, 1, &barrier);
  vkCmdCopyBufferToImage(commands, staging.buffer.get(), image.image.get(),
                         VK_IMAGE_LAYOUT_TRANSFER_DST_OPTIMAL,
                         static_cast<std::uint32_t>(copies.size()), copies.data());
  barrier.oldLayout = VK_IMAGE_LAYOUT_TRANSFER_DST_OPTIMAL;
  barrier.newLayout = VK_IMAGE_LAYOUT_SHADER_READ_ONLY_OPTIMAL;
  barrier.srcAccessMask = VK_ACCESS_TRANSFER_WRITE_BIT;
  barrier.dstAccessMask = VK_ACCESS_SHADER_READ_BIT;
  vkCmdPipelineBarrier(commands, VK_PIPELINE_STAGE_TRANSFER_BIT,
                       VK_PIPELINE_STAGE_FRAGMENT_SHADER_BIT, 0, 0, nullptr, 0, nullptr, 1,
                       &barrier);
  submit_and_wait(commands);
  return image;
}

void VkSceneRenderer::set_quality_texture(const RgbImage& level0) {
  quality_ = upload(mip_chain(level0));
}

VkCommandBuffer VkSceneRenderer::begin_commands() {
  check(vkResetCommandBuffer(commands_, 0), "vkResetCommandBuffer");
  VkCommandBufferBeginInfo begin{};
  begin.sType = VK_STRUCTURE_TYPE_COMMAND_BUFFER_BEGIN_INFO;
  begin.flags = VK_COMMAND_BUFFER_USAGE_ONE_TIME_SUBMIT_BIT;
  check(vkBeginCommandBuffer(commands_, &begin), "vkBeginCommandBuffer");
  return commands_;
}

void VkSceneRenderer::submit_and_wait(VkCommandBuffer commands) {
  check(vkEndCommandBuffer(commands), "vkEndCommandBuffer");
  VkSubmitInfo submit{};
  submit.sType = VK_STRUCTURE_TYPE_SUBMIT_INFO;
  submit.commandBufferCount = 1;
  submit.pCommandBuffers = &commands;
  const VkFence fence = fence_.get();
  check(vkQueueSubmit(device_.queue(), 1, &submit, fence), "vkQueueSubmit");
  check(vkWaitForFences(device_.device(), 1, &fence, VK_TRUE, UINT64_MAX), "vkWaitForFences");
  check(vkResetFences(device_.device(), 1, &fence), "vkResetFences");
}

VkSceneRenderer::PlaneDraw VkSceneRenderer::plane_draw(const PanelConfig& config,
                                                       const SceneView& view, int width, int height,
                                                       VkImageView texture, double shift_x,
                                                       double shift_y) {
  PlaneDraw draw;
  draw.clip_from_plane = clip_from_plane(view, width, height, shift_x, shift_y);
  draw.viewport = {0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height), 0.0f, 1.0f};
  // The LOD bias is the measured texture's own, as in GL; the white texel has none.
  for (int unit = 0; unit < config.units; ++unit)
    draw.units.push_back(
        unit == config.unit
            ? UnitBinding{texture, sampler(config.trilinear, config.anisotropy, config.lod_bias)}
            : UnitBinding{neutral_.view.get(), sampler(config.trilinear, config.anisotropy, 0.0f)});
  return draw;
}

void VkSceneRenderer::record_pass(VkCommandBuffer commands, const std::vector<PlaneDraw>& draws,
                                  bool timed, int repeats) {
  // Each set is written before the submission that reads it and after the last one ended.
  for (std::size_t i = 0; i < draws.size(); ++i) {
    VkDescriptorImageInfo images[max_units];
    for (int unit = 0; unit < max_units; ++unit) {
      // A set must be whole: the units not in use repeat unit 0's, which no shader samples.
      const UnitBinding binding =
          unit < static_cast<int>(draws[i].units.size()) ? draws[i].units[unit] : draws[i].units[0];
      images[unit] = {binding.sampler, binding.view, VK_IMAGE_LAYOUT_SHADER_READ_ONLY_OPTIMAL};
    }
    VkWriteDescriptorSet write{};
    write.sType = VK_STRUCTURE_TYPE_WRITE_DESCRIPTOR_SET;
    write.dstSet = sets_[i];
    write.descriptorCount = max_units;
    write.descriptorType = VK_DESCRIPTOR_TYPE_COMBINED_IMAGE_SAMPLER;
    write.pImageInfo = images;
    vkUpdateDescriptorSets(device_.device(), 1, &write, 0, nullptr);
  }
  if (timed) vkCmdResetQueryPool(commands, timestamps_.get(), 0, 2);
  VkClearValue clear[2]{};
  clear[1].depthStencil = {1.0f, 0};
  VkRenderPassBeginInfo begin{};
  begin.sType = VK_STRUCTURE_TYPE_RENDER_PASS_BEGIN_INFO;
  begin.renderPass = render_pass_.get();
  begin.framebuffer = framebuffer_.get();
  begin.renderArea = {{0, 0}, {test_window_width, test_window_height}};
  begin.clearValueCount = 2;
  begin.pClearValues = clear;
  vkCmdBeginRenderPass(commands, &begin, VK_SUBPASS_CONTENTS_INLINE);
  if (timed) vkCmdWriteTimestamp(commands, VK_PIPELINE_STAGE_TOP_OF_PIPE_BIT, timestamps_.get(), 0);
  const VkDeviceSize offset = 0;
  const VkBuffer vertices = vertices_.buffer.get();
  vkCmdBindVertexBuffers(commands, 0, 1, &vertices, &offset);
  vkCmdBindIndexBuffer(commands, indices_.buffer.get(), 0, VK_INDEX_TYPE_UINT32);
  for (std::size_t i = 0; i < draws.size(); ++i) {
    const PlaneDraw& draw = draws[i];
    vkCmdBindPipeline(commands, VK_PIPELINE_BIND_POINT_GRAPHICS,
                      pipelines_[draw.units.size() - 1].get());
    vkCmdSetViewport(commands, 0, 1, &draw.viewport);
    const VkRect2D scissor{
        {static_cast<std::int32_t>(draw.viewport.x), static_cast<std::int32_t>(draw.viewport.y)},
        {static_cast<std::uint32_t>(draw.viewport.width),
         static_cast<std::uint32_t>(draw.viewport.height)}};
    vkCmdSetScissor(commands, 0, 1, &scissor);
    vkCmdBindDescriptorSets(commands, VK_PIPELINE_BIND_POINT_GRAPHICS, pipeline_layout_.get(), 0, 1,
                            &sets_[i], 0, nullptr);
    static_assert(sizeof(DrawConstants) == sizeof draw.clip_from_plane.m, "a 4 × 4 float matrix");
    vkCmdPushConstants(commands, pipeline_layout_.get(), VK_SHADER_STAGE_VERTEX_BIT, 0,
                       sizeof(DrawConstants), draw.clip_from_plane.m);
    for (int repeat = 0; repeat < repeats; ++repeat)
      vkCmdDrawIndexed(commands, index_count_, 1, 0, 0, 0);
  }
  if (timed)
    vkCmdWriteTimestamp(commands, VK_PIPELINE_STAGE_BOTTOM_OF_PIPE_BIT, timestamps_.get(), 1);
  vkCmdEndRenderPass(commands);
}

void VkSceneRenderer::record_copy(VkCommandBuffer commands, int width, int height) {
  VkBufferImageCopy copy{};
  copy.bufferRowLength = static_cast<std::uint32_t>(width);
  copy.imageSubresource = {VK_IMAGE_ASPECT_COLOR_BIT, 0, 0, 1};
  copy.imageExtent = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 1};
  vkCmdCopyImageToBuffer(commands, colour_target_.image.get(), VK_IMAGE_LAYOUT_TRANSFER_SRC_OPTIMAL,
                         read_back_.buffer.get(), 1, &copy);
  VkBufferMemoryBarrier barrier{};
  barrier.sType = VK_STRUCTURE_TYPE_BUFFER_MEMORY_BARRIER;
  barrier.srcAccessMask = VK_ACCESS_TRANSFER_WRITE_BIT;
  barrier.dstAccessMask = VK_ACCESS_HOST_READ_BIT;
  barrier.srcQueueFamilyIndex = barrier.dstQueueFamilyIndex = VK_QUEUE_FAMILY_IGNORED;
  barrier.buffer = read_back_.buffer.get();
  barrier.size = VK_WHOLE_SIZE;
  vkCmdPipelineBarrier(commands, VK_PIPELINE_STAGE_TRANSFER_BIT, VK_PIPELINE_STAGE_HOST_BIT, 0, 0,
                       nullptr, 1, &barrier, 0, nullptr);
}

RgbImage VkSceneRenderer::read_back(int width, int height) const {
  // The image's first row is the picture's top (clip_from_plane), an RgbImage's its bottom.
  RgbImage picture(width, height);
  const auto* pixels = static_cast<const std::uint8_t*>(read_back_.mapped);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = pixels + std::size_t{4} * width * (height - 1 - y);
    for (int x = 0; x < width; ++x)
      picture.texel(x, y) = {row[4 * x], row[4 * x + 1], row[4 * x + 2]};
  }
  return picture;
}

RgbImage VkSceneRenderer::test_window() {
  std::vector<PlaneDraw> draws;
  std::vector<PlacedText> texts;
  const SceneView view = start_view(start_zoom);
  for (const WindowPanel& panel : window_panels(unit_count())) {
    PlaneDraw draw = plane_draw(panel.config, view, panel.place.width, panel.place.height,
                                colour_mip_.view.get(), 0.0, 0.0);
    draw.viewport.x = static_cast<float>(panel.place.x);
    draw.viewport.y = static_cast<float>(panel.top);
    for (std::size_t unit = 1; unit < draw.units.size(); ++unit)
      draw.units[unit].view = unit_pictures_[unit].view.get();
    draws.push_back(std::move(draw));
    texts.insert(texts.end(), panel.texts.begin(), panel.texts.end());
  }
  const VkCommandBuffer commands = begin_commands();
  record_pass(commands, draws, false);
  record_copy(commands, test_window_width, test_window_height);
  submit_and_wait(commands);
  return print_over(read_back(test_window_width, test_window_height), texts);
}

RgbImage VkSceneRenderer::draw(const PanelConfig& config, const SceneView& view, int width,
                               int height, PanelTexture texture, double shift_x, double shift_y) {
  {
    const PhaseTimer timer(times_, &RunTimes::rendering);
    const VkCommandBuffer commands = begin_commands();
    record_pass(commands,
                {plane_draw(config, view, width, height,
                            (texture == PanelTexture::quality ? quality_ : colour_mip_).view.get(),
                            shift_x, shift_y)},
                false);
    record_copy(commands, width, height);
    submit_and_wait(commands);
  }
  const PhaseTimer timer(times_, &RunTimes::read_back);
  return read_back(width, height);
}

std::string VkSceneRenderer::cost_clock() const {
  return timestamps_.get() != VK_NULL_HANDLE
             ? "Vulkan timestamps of the queue"
             : "the CPU's steady clock around the submission and its wait (the queue has no "
               "timestamps)";
}

double VkSceneRenderer::time_draws(const PanelConfig& config, const SceneView& view, int width,
                                   int height, int draws) {
  const bool timed = timestamps_.get() != VK_NULL_HANDLE;
  const VkCommandBuffer commands = begin_commands();
  record_pass(commands, {plane_draw(config, view, width, height, colour_mip_.view.get(), 0.0, 0.0)},
              timed, draws);
  const auto start = std::chrono::steady_clock::now();
  submit_and_wait(commands);
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - start;
  if (!timed) return elapsed.count();
  std::uint64_t ticks[2];
  check(vkGetQueryPoolResults(device_.device(), timestamps_.get(), 0, 2, sizeof ticks, ticks,
                              sizeof ticks[0], VK_QUERY_RESULT_64_BIT | VK_QUERY_RESULT_WAIT_BIT),
        "vkGetQueryPoolResults");
  const std::uint32_t bits = device_.timestamp_bits();
  const std::uint64_t mask = bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
  return static_cast<double>((ticks[1] - ticks[0]) & mask) *
         device_.properties().limits.timestampPeriod * 1e-6;
}
