// The test's start-up: the command line, the window, the extension check, the texture units,
// and the hand-over to the toolkit's main loop.
#pragma once

#include <string>
#include <vector>

#include "app/test_state.h"
#include "scene/panel_layout.h"

// The extensions the test cannot run without.
inline constexpr const char* required_extensions =
    "GL_EXT_texture_filter_anisotropic GL_ARB_multitexture GL_ARB_texture_compression";

// Sets the flags of the switches "-noaf", "-tc", "-noaftrick" and "-nomt" found among the
// arguments after the program name, ignoring letter case. Other arguments are ignored.
void parse_switches(int argc, const char* const* argv, TestState& state);

// Runs the start-up on the settings in test_state: the switches of argv, the window and its GL
// context, the extension check, the GL state the test draws with, and the interactors that
// receive the window's events. Returns false, after telling the user on standard error and,
// with `message_box`, in a modal message window, when the driver lacks a required extension;
// the window is left as it is. Programs that run unattended pass false. A unit picture that cannot
// be read is told on standard error as read_png tells it; with `unread_pictures`, one that is not
// found or does not decode is described there instead, with what the unit shows in its place.
bool start_test(int argc, char** argv, bool message_box = true,
                std::vector<std::string>* unread_pictures = nullptr);

// The steps of start_test that need only a current GL context, no window: the extension check
// (failing as start_test fails), the GL state, the textures and the plane's list, on the
// settings in test_state, the unit pictures that cannot be read told as start_test tells them.
bool set_up_test_scene(bool message_box, std::vector<std::string>* unread_pictures = nullptr);

// Lists the interactors in the order every event reaches them and puts the plane where the test
// starts: tilted back, at the viewing distance test_state.zoom.
void configure_interactors(const TestState& state);

// The program: start-up, then the toolkit's main loop, which does not return. Returns 0 when the
// extension check fails and 1 when there is no X display to open the window on.
int run_test(int argc, char** argv);
