// CallbackInteractor: each event reaches its own hook with its arguments, enabled or not, and
// an unset hook is skipped.
#include <gtest/gtest.h>

#include <string>

#include "interact/callback_interactor.h"

namespace {

std::string calls;

template <typename... Ints>
void record(const char* name, Ints... values) {
  calls += name;
  ((calls += " " + std::to_string(values)), ...);
  calls += ";";
}

// Every operation of the base, each with its own arguments.
void send_every_event(Interactor& i) {
  i.display();
  i.idle();
  i.keyboard('k', 1, 2);
  i.menu_status(3, 4, 5);
  i.motion(6, 7);
  i.mouse(8, 9, 10, 11);
  i.passive_motion(12, 13);
  i.reshape(14, 15);
  i.special(16, 17, 18);
  i.timer(19);
  i.visibility(20);
}

}  // namespace

TEST(CallbackInteractor, EachEventReachesItsOwnHook) {
  CallbackInteractor hooks;
  hooks.display_hook = [] { record("display"); };
  hooks.idle_hook = [] { record("idle"); };
  hooks.keyboard_hook = [](unsigned char key, int x, int y) { record("keyboard", key, x, y); };
  hooks.menu_status_hook = [](int status, int x, int y) { record("menu", status, x, y); };
  hooks.motion_hook = [](int x, int y) { record("motion", x, y); };
  hooks.mouse_hook = [](int button, int state, int x, int y) {
    record("mouse", button, state, x, y);
  };
  hooks.passive_motion_hook = [](int x, int y) { record("passive", x, y); };
  hooks.reshape_hook = [](int width, int height) { record("reshape", width, height); };
  hooks.special_hook = [](int key, int x, int y) { record("special", key, x, y); };
  hooks.timer_hook = [](int value) { record("timer", value); };
  hooks.visibility_hook = [](int state) { record("visibility", state); };
  send_every_event(hooks);
  EXPECT_EQ(calls,
            "display;idle;keyboard 107 1 2;menu 3 4 5;motion 6 7;mouse 8 9 10 11;passive 12 13;"
            "reshape 14 15;special 16 17 18;timer 19;visibility 20;");
}

TEST(CallbackInteractor, WithOnlyAKeyboardHookEveryOtherEventIsIgnored) {
  CallbackInteractor hooks;
  EXPECT_TRUE(hooks.enabled);
  hooks.keyboard_hook = [](unsigned char key, int x, int y) { record("keyboard", key, x, y); };
  send_every_event(hooks);
  EXPECT_EQ(calls, "keyboard 107 1 2;");
}

TEST(CallbackInteractor, ADisabledOneStillCallsItsHooks) {
  CallbackInteractor hooks;
  hooks.keyboard_hook = [](unsigned char key, int x, int y) { record("keyboard", key, x, y); };
  hooks.disable();
  EXPECT_FALSE(hooks.enabled);
  hooks.keyboard('z', 3, 4);
  EXPECT_EQ(calls, "keyboard 122 3 4;");
  hooks.enable();
  EXPECT_TRUE(hooks.enabled);
}
