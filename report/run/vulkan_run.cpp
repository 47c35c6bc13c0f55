// kestrel-report's run on a Vulkan device.
#include "report/run/vulkan_run.h"

#include <cstdio>
#include <string>
#include <vector>

#include "base/text_format.h"
#include "report/draw/vulkan/vk_device.h"
#include "report/draw/vulkan/vk_scene_renderer.h"
#include "scene/scene.h"

namespace {

constexpr const char* name = report_program;

// "0: llvmpipe (LLVM 15.0.6, 256 bits), llvmpipe, Mesa 22.3.6 (LLVM 15.0.6), CPU, Vulkan
// 1.3.230": a Vulkan device's line of --list-devices and of the usage error of a missing one.
std::string vulkan_device_line(std::size_t index, const VulkanDeviceDescription& device) {
  return format_text("%zu: %s, %s, %s, Vulkan %s", index, device.name.c_str(),
                     device.driver.c_str(), device.type.c_str(),
                     vulkan_version_text(device.api_version).c_str());
}

// Opens device `index` (-1: the first that draws) into `device`. Returns 0, or the status of
// the run when it cannot, having said why: 2 for a device that is not there, with the list.
int open_device(int index, VulkanDevice& device) {
  std::string error;
  if (device.open(index, error)) return 0;
  std::vector<VulkanDeviceDescription> devices;
  std::string list_error;
  if (index >= 0 && list_vulkan_devices(devices, list_error) &&
      index >= static_cast<int>(devices.size())) {
    std::vector<std::string> listed;
    for (std::size_t i = 0; i < devices.size(); ++i)
      listed.push_back(vulkan_device_line(i, devices[i]));
    return unlisted_device("Vulkan", index, listed);
  }
  std::fprintf(stderr, "%s: no Vulkan device: %s\n", name, error.c_str());
  return 1;
}

}  // namespace

int run_vulkan_report(const ReportOptions& options, RunInputs& inputs) {
  VulkanDevice device;
  if (const int status = open_device(options.device, device)) return status;
  std::vector<std::string> warnings;
  const std::vector<RgbImage> pictures = read_unit_pictures_warning(warnings);
  const VulkanDeviceDescription& described = device.description();
  inputs.provenance.api = "Vulkan";
  inputs.provenance.platform = "none";
  inputs.provenance.device = options.device;
  inputs.provenance.device_name = described.name;
  int status = 1;
  double start_up = 0.0;
  try {
    VkSceneRenderer renderer(device, run_times(), pictures);
    start_up = seconds_so_far();
    const std::string context = format_text(
        "Vulkan %s, no window system, device %d: %s (%s, %s), drawn into an image of its own",
        vulkan_version_text(described.api_version).c_str(), device.index(),
        described.name.c_str(), described.type.c_str(), described.driver.c_str());
    status = measure_and_write(renderer, options, inputs, context, start_view(start_zoom),
                               warnings);
  } catch (const VulkanError& failure) {
    std::fprintf(stderr, "%s: %s\n", name, failure.what());
    return 1;
  }
  if (device.messages() > 0)
    std::fprintf(stderr, "%s: warning: the Vulkan layers printed %d messages\n", name,
                 device.messages());
  return end_run(status, options.out, start_up);
}

int print_vulkan_devices() {
  std::vector<VulkanDeviceDescription> devices;
  std::string error;
  if (!list_vulkan_devices(devices, error)) {
    std::fprintf(stderr, "%s: no Vulkan: %s\n", name, error.c_str());
    return 1;
  }
  if (devices.empty()) std::fprintf(stderr, "%s: Vulkan lists no devices\n", name);
  for (std::size_t i = 0; i < devices.size(); ++i)
    std::printf("%s\n", vulkan_device_line(i, devices[i]).c_str());
  return 0;
}
