// A GLUT window with a current GL context for tests that need the real driver.
#include "gl_test_window.h"

#include <GL/glut.h>

#include "app/platform.h"

bool open_test_window(int width, int height) {
  if (!display_available()) return false;
  int argc = 1;
  char name[] = "kestrel-test";
  char* argv[] = {name, nullptr};
  glutInit(&argc, argv);
  glutInitWindowSize(width, height);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutCreateWindow("kestrel-test");
  return true;
}
