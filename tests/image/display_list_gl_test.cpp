// DisplayList on the real driver: no GL call until first use, one name per list, recompiled in
// place, deleted once, and never without a GL context.
#include "image/display_list.h"

// Before GL/glx.h, whose X11 macros clash with its names.
#include <gtest/gtest.h>

#include <GL/glx.h>

#include <vector>

#include "gl_call_log.h"
#include "gl_test_window.h"

namespace {

using Calls = std::vector<GlCall>;

// Compiles a list that sets the current colour's red to `red`.
void compile_colour(DisplayList& list, float red) {
  list.new_list(GL_COMPILE);
  glColor3f(red, 0.0f, 0.0f);
  glEndList();
}

float current_red() {
  GLfloat colour[4] = {};
  glGetFloatv(GL_CURRENT_COLOR, colour);
  return colour[0];
}

}  // namespace

TEST(DisplayList, ConstructionMakesNoGlCallAndCallingAnUncompiledListNone) {
  REQUIRE_GL_WINDOW();
  clear_gl_calls();
  {
    const DisplayList list;
    EXPECT_FALSE(list.valid());
    list.call_list();
  }
  EXPECT_EQ(gl_calls(), Calls{});
}

TEST(DisplayList, FirstNewListNamesItAndARecompileKeepsTheName) {
  REQUIRE_GL_WINDOW();
  DisplayList list;
  clear_gl_calls();
  compile_colour(list, 0.25f);
  ASSERT_TRUE(list.valid());
  const GLuint name = list.name();
  EXPECT_EQ(gl_calls(), (Calls{{"GenLists", name, true}, {"NewList", name, true}}));
  EXPECT_TRUE(glIsList(name));

  clear_gl_calls();
  compile_colour(list, 0.75f);
  EXPECT_EQ(list.name(), name);
  EXPECT_EQ(gl_calls(), (Calls{{"NewList", name, true}}));
  glColor3f(0.0f, 0.0f, 0.0f);
  list.call_list();
  EXPECT_FLOAT_EQ(current_red(), 0.75f) << "the recompiled list should replace the first one";
}

TEST(DisplayList, ReleaseDeletesTheNameOnceAndCallingItThenDoesNothing) {
  REQUIRE_GL_WINDOW();
  DisplayList list;
  compile_colour(list, 0.5f);
  const GLuint name = list.name();
  clear_gl_calls();
  list.release();
  list.release();
  list.call_list();
  EXPECT_FALSE(list.valid());
  EXPECT_FALSE(glIsList(name));
  EXPECT_EQ(gl_calls(), (Calls{{"DeleteLists", name, true}}));
}

TEST(DisplayList, NewListAfterReleaseGeneratesAFreshName) {
  REQUIRE_GL_WINDOW();
  DisplayList list;
  compile_colour(list, 0.5f);
  list.release();
  clear_gl_calls();
  compile_colour(list, 0.5f);
  ASSERT_TRUE(list.valid());
  EXPECT_EQ(gl_calls(), (Calls{{"GenLists", list.name(), true}, {"NewList", list.name(), true}}));
  EXPECT_TRUE(glIsList(list.name()));
}

TEST(DisplayList, DestructionDeletesTheNameOnlyWhileAContextIsCurrent) {
  REQUIRE_GL_WINDOW();
  GLuint deleted = 0;
  {
    DisplayList list;
    compile_colour(list, 0.5f);
    deleted = list.name();
    clear_gl_calls();
  }
  EXPECT_EQ(gl_calls(), (Calls{{"DeleteLists", deleted, true}}));
  EXPECT_FALSE(glIsList(deleted));

  Display* const display = glXGetCurrentDisplay();
  const GLXDrawable drawable = glXGetCurrentDrawable();
  const GLXContext context = glXGetCurrentContext();
  GLuint kept = 0;
  {
    DisplayList list;
    compile_colour(list, 0.5f);
    kept = list.name();
    ASSERT_TRUE(glXMakeCurrent(display, None, nullptr));
    clear_gl_calls();
  }
  EXPECT_EQ(gl_calls(), Calls{});
  ASSERT_TRUE(glXMakeCurrent(display, drawable, context));
  EXPECT_TRUE(glIsList(kept));
}
