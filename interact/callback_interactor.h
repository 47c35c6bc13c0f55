// CallbackInteractor: the interactor that hands each event to a plain function hook, so that
// the application receives events through the same list as the other interactors.
#pragma once

#include "interact/interactor.h"

// Each operation calls its hook, when set, with its own arguments, enabled or not.
class CallbackInteractor : public Interactor {
 public:
  void display() override;
  void idle() override;
  void keyboard(unsigned char key, int x, int y) override;
  void menu_status(int status, int x, int y) override;
  void motion(int x, int y) override;
  void mouse(int button, int state, int x, int y) override;
  void passive_motion(int x, int y) override;
  void reshape(int width, int height) override;
  void special(int key, int x, int y) override;
  void timer(int value) override;
  void visibility(int state) override;

  void (*display_hook)() = nullptr;
  void (*idle_hook)() = nullptr;
  void (*keyboard_hook)(unsigned char key, int x, int y) = nullptr;
  void (*menu_status_hook)(int status, int x, int y) = nullptr;
  void (*motion_hook)(int x, int y) = nullptr;
  void (*mouse_hook)(int button, int state, int x, int y) = nullptr;
  void (*passive_motion_hook)(int x, int y) = nullptr;
  void (*reshape_hook)(int width, int height) = nullptr;
  void (*special_hook)(int key, int x, int y) = nullptr;
  void (*timer_hook)(int value) = nullptr;
  void (*visibility_hook)(int state) = nullptr;
};

// The application's hook interactor, first in the list.
extern CallbackInteractor callback_interactor;
