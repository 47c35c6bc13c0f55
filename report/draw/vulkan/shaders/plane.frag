// The texture units in use combined as the test combines them: unit 0's colour replaces the
// fragment's, each further unit's multiplies it.
#version 450

// The units in use, fixed when the pipeline is made: a driver may sample every unit of a branch
// that depends on a value it learns only when drawing.
layout(constant_id = 0) const int units = 1;

layout(set = 0, binding = 0) uniform sampler2D unit_texture[4];
layout(location = 0) in vec2 texture_st;
layout(location = 0) out vec4 colour;

void main() {
  // Constant indices: indexing the array by a loop counter would need a device feature.
  colour = texture(unit_texture[0], texture_st);
  if (units > 1) colour *= texture(unit_texture[1], texture_st);
  if (units > 2) colour *= texture(unit_texture[2], texture_st);
  if (units > 3) colour *= texture(unit_texture[3], texture_st);
}
