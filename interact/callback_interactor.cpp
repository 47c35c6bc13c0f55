// CallbackInteractor: the interactor that hands each event to a plain function hook.
#include "interact/callback_interactor.h"

namespace {

template <typename... Params, typename... Args>
void call_hook(void (*hook)(Params...), Args... args) {
  if (hook != nullptr) hook(args...);
}

}  // namespace

CallbackInteractor callback_interactor;

void CallbackInteractor::display() { call_hook(display_hook); }

void CallbackInteractor::idle() { call_hook(idle_hook); }

void CallbackInteractor::keyboard(unsigned char key, int x, int y) {
  call_hook(keyboard_hook, key, x, y);
}

void CallbackInteractor::menu_status(int status, int x, int y) {
  call_hook(menu_status_hook, status, x, y);
}

void CallbackInteractor::motion(int x, int y) { call_hook(motion_hook, x, y); }

void CallbackInteractor::mouse(int button, int state, int x, int y) {
  call_hook(mouse_hook, button, state, x, y);
}

void CallbackInteractor::passive_motion(int x, int y) { call_hook(passive_motion_hook, x, y); }

void CallbackInteractor::reshape(int width, int height) { call_hook(reshape_hook, width, height); }

void CallbackInteractor::special(int key, int x, int y) { call_hook(special_hook, key, x, y); }

void CallbackInteractor::timer(int value) { call_hook(timer_hook, value); }

void CallbackInteractor::visibility(int state) { call_hook(visibility_hook, state); }
