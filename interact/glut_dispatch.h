// The GLUT callbacks of the interaction framework: one per event kind, each offering its event
// to the listed interactors in list order.
#pragma once

// Registers the dispatch callbacks below for the current GLUT window and clears the idle
// callback. Needs the window to exist.
void install_glut_callbacks();

// Each calls the operation of the same name on every listed interactor, front to back, with
// its own arguments, stopping when an interactor clears `propagate`. The operations may add and
// remove interactors, their own included: each interactor gets the event at most once, and
// every one listed when the walk gets to it gets it, those added during the walk too.
void dispatch_display();
void dispatch_keyboard(unsigned char key, int x, int y);
void dispatch_menu_status(int status, int x, int y);
void dispatch_motion(int x, int y);
void dispatch_mouse(int button, int state, int x, int y);
void dispatch_passive_motion(int x, int y);
void dispatch_reshape(int width, int height);
void dispatch_special(int key, int x, int y);
void dispatch_visibility(int state);
