// The report's scene on a Vulkan driver: the same plane, projection, panels and textures as the
// GL path, drawn offscreen into an image of the test window's size, read back and timed.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "image/rgb_image.h"
#include "report/draw/vulkan/vk_device.h"
#include "report/draw/vulkan/vk_objects.h"
#include "report/model/run_times.h"
#include "report/model/scene_renderer.h"

class VkSceneRenderer : public SceneRenderer {
 public:
  // Sets up drawing on `device`, which must outlive the renderer: the render target, the
  // pipeline, the plane, the colour-mipmap texture of colour delta 0 and the units' pictures
  // `unit_pictures` (read_unit_pictures) for test_window. Adds the time of drawing to
  // times.rendering and of reading back to times.read_back. Throws VulkanError when a step fails.
  VkSceneRenderer(const VulkanDevice& device, RunTimes& times,
                  const std::vector<RgbImage>& unit_pictures);
  ~VkSceneRenderer() override;
  VkSceneRenderer(const VkSceneRenderer&) = delete;
  VkSceneRenderer& operator=(const VkSceneRenderer&) = delete;

  // The device's name and " through Vulkan" as renderer, "Vulkan" with its API version and
  // driver as version, its vendor ID as vendor, maxSamplerAnisotropy (1 without sampler
  // anisotropy) and the units the test uses, at most 4.
  DriverInfo driver() const override;
  // The eight panels as the test shows them, the colour-mipmap texture on unit 0 and the units'
  // pictures modulating it on the others, labelled on the CPU (print_over).
  RgbImage test_window() override;
  void set_quality_texture(const RgbImage& level0) override;
  // One submission that clears, draws and copies the pixels out, waited for; its time is
  // rendering, the conversion to RGB read-back.
  RgbImage draw(const PanelConfig& config, const SceneView& view, int width, int height,
                PanelTexture texture, double shift_x = 0.0, double shift_y = 0.0) override;
  // The draws between two timestamps after the clear, where the queue has timestamps; else the
  // CPU's time around the submission of clear and draws and its wait.
  double time_draws(const PanelConfig& config, const SceneView& view, int width, int height,
                    int draws) override;
  // "Vulkan timestamps of the queue", or the CPU's clock where the queue has no timestamps.
  std::string cost_clock() const override;

 private:
  // Where a draw goes and what it samples: its units, the textures and samplers of each.
  struct UnitBinding {
    VkImageView view;
    VkSampler sampler;
  };
  struct PlaneDraw {
    Matrix4 clip_from_plane;
    VkViewport viewport;
    std::vector<UnitBinding> units;
  };

  // The constructor's steps: the colour and depth images of the test window's size, their render
  // pass and framebuffer; the descriptor sets, one per panel; the command buffer, its fence and
  // the timestamps where the queue has them; the plane's vertices and indices and the read-back
  // buffer; the colour-mipmap texture, the white texel and the units' pictures.
  void make_targets();
  void make_descriptor_sets();
  void make_commands();
  void make_plane();
  void make_textures(const std::vector<RgbImage>& unit_pictures);
  // The units the test uses: 4, or fewer where a shader stage may not sample as many.
  int unit_count() const;
  VkSampler sampler(bool trilinear, float anisotropy, float lod_bias);
  DeviceImage upload(const std::vector<RgbImage>& levels);
  // The draw of `config` seen in `view` into the upper left width × height pixels, moved by
  // (shift_x, shift_y) pixels, with `texture` on config.unit.
  PlaneDraw plane_draw(const PanelConfig& config, const SceneView& view, int width, int height,
                       VkImageView texture, double shift_x, double shift_y);
  // Begins the one command buffer for one submission.
  VkCommandBuffer begin_commands();
  // Records the render pass with `draws`, draw i through descriptor set i and `repeats` times
  // over, and timestamps 0 and 1 around the draws when `timed`.
  void record_pass(VkCommandBuffer commands, const std::vector<PlaneDraw>& draws, bool timed,
                   int repeats = 1);
  // Records the copy of the upper left width × height pixels into the read-back buffer.
  void record_copy(VkCommandBuffer commands, int width, int height);
  // Ends, submits and waits for the command buffer.
  void submit_and_wait(VkCommandBuffer commands);
  // The read-back buffer's upper left width × height pixels, row 0 at the bottom.
  RgbImage read_back(int width, int height) const;

  const VulkanDevice& device_;
  RunTimes& times_;
  DeviceImage colour_target_, depth_target_;
  VkRenderPassObject render_pass_;
  VkFramebufferObject framebuffer_;
  VkSetLayoutObject set_layout_;
  VkPipelineLayoutObject pipeline_layout_;
  std::vector<VkPipelineObject> pipelines_;  // with 1, 2, 3 and 4 units in use
  VkDescriptorPoolObject descriptor_pool_;
  std::vector<VkDescriptorSet> sets_;
  VkCommandPoolObject command_pool_;
  VkCommandBuffer commands_ = VK_NULL_HANDLE;
  VkFenceObject fence_;
  VkQueryPoolObject timestamps_;
  HostBuffer vertices_, indices_, read_back_;
  std::uint32_t index_count_ = 0;
  DeviceImage colour_mip_, quality_, neutral_;
  std::vector<DeviceImage> unit_pictures_;
  std::map<std::tuple<bool, float, float>, VkSamplerObject> samplers_;
};
