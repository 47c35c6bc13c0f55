// The window-system services the test needs besides GL: whether a display can be reached, and a
// modal message window for the one fatal start-up error.
#pragma once

// True when the X display named by DISPLAY can be opened.
bool display_available();

// The name of the X display that display_available tries, for messages.
const char* display_name();

// Shows a modal message window with `caption`, `text` and an OK button, and returns once the
// user dismisses it (OK, Enter, Escape or closing the window). Returns at once, having shown
// nothing, when no window can be opened.
void show_error_message(const char* caption, const char* text);
