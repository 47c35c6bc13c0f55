// The test's start-up: the command line, the window, the extension check, the texture units,
// and the hand-over to the toolkit's main loop.
#pragma once

#include <string>
#include <vector>

#include "app/test_state.h"

// The extensions the test cannot run without.
inline constexpr const char* required_extensions =
    "GL_EXT_texture_filter_anisotropic GL_ARB_multitexture GL_ARB_texture_compression";

// Sets the flags of the switches "-noaf", "-tc", "-noaftrick" and "-nomt" found among the
// arguments after the program name, ignoring letter case. Other arguments are ignored.
void parse_switches(int argc, const char* const* argv, TestState& state);

// Runs the start-up on the settings in test_state: the switches of argv, the window and its GL
// context (open_test_window), the extension check and the GL state (set_up_gl_state), the
// test's textures and plane, and the interactors that receive the window's events. Returns
// false, after telling the user on standard error and, with `message_box`, in a modal message
// window, when the driver lacks a required extension; the window is left as it is. Programs that
// run unattended pass false. A unit picture that cannot be read is told on standard error as
// read_png tells it; with `unread_pictures`, one that is not found or does not decode is
// described there instead, with what the unit shows in its place.
bool start_test(int argc, char** argv, bool message_box = true,
                std::vector<std::string>* unread_pictures = nullptr);

// Opens the test's window, "Kestrel", of the size the switches of `state` ask for, and makes its
// GL context current. The toolkit sees only `program_name`.
void open_test_window(const char* program_name, const TestState& state);

// The GL state every panel's draw relies on, on the current context, whatever draws: the
// extension check (failing as start_test fails), the units in use into state.tmu_count, the
// depth test and the texture matrices.
bool set_up_gl_state(TestState& state, bool message_box);

// Lists the interactors in the order every event reaches them and puts the plane where the test
// starts: tilted back, at the viewing distance test_state.zoom.
void configure_interactors(const TestState& state);

// The program: start-up, then the toolkit's main loop, which does not return. Returns 0 when the
// extension check fails and 1 when there is no X display to open the window on.
int run_test(int argc, char** argv);
