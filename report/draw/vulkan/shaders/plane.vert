// The plane's vertices in Vulkan's clip space, each with its (s, t), the same on every unit.
#version 450

layout(push_constant) uniform Draw {
  mat4 clip_from_plane;
} draw;

layout(location = 0) in vec2 position;  // in z = 0
layout(location = 1) in vec2 st;
layout(location = 0) out vec2 texture_st;

void main() {
  gl_Position = draw.clip_from_plane * vec4(position, 0.0, 1.0);
  texture_st = st;
}
