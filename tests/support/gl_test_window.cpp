// A GLUT window with a current GL context for tests that need the real driver, one per process.
#include "gl_test_window.h"

#include <GL/freeglut.h>

#include "app/platform.h"

bool open_test_window(int width, int height) {
  static int window = 0;
  if (!display_available()) return false;
  if (window == 0) {
    int argc = 1;
    char name[] = "kestrel-test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitWindowSize(width, height);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    window = glutCreateWindow("kestrel-test");
    glutDisplayFunc([] {});  // the tests draw when they choose; GLUT insists on a callback
  }
  glutSetWindow(window);
  glutReshapeWindow(width, height);
  // The X server answers the resize with events; the size is known once they were handled.
  for (int i = 0; i < 1000 && (glutGet(GLUT_WINDOW_WIDTH) != width ||
                               glutGet(GLUT_WINDOW_HEIGHT) != height); ++i)
    glutMainLoopEvent();
  glViewport(0, 0, width, height);
  return true;
}
