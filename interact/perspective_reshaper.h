// PerspectiveReshaper: the interactor that keeps the GL viewport on the whole window and loads
// a perspective projection with the window's aspect ratio at every reshape.
#pragma once

#include "interact/interactor.h"

class PerspectiveReshaper : public Interactor {
 public:
  // Records the size; applies it when enabled. A disabled reshaper only records it, and a later
  // enable does not apply it: the next reshape does.
  void reshape(int width, int height) override;

  // aspect = width / height; viewport (0, 0, width, height); the projection matrix becomes
  // gluPerspective(fovy, aspect, z_near, z_far); the model-view matrix mode is current on
  // return. A size without area (a minimised window) keeps the last viewport, projection and
  // aspect. Needs a current GL context.
  void apply();

  int width = 0;
  int height = 0;
  float fovy = 60.0f;  // degrees
  float aspect = 0.0f;
  float z_near = 0.1f;
  float z_far = 10.0f;
};

// The second interactor in the list, behind callback_interactor.
extern PerspectiveReshaper perspective_reshaper;
