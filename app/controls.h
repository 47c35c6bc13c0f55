// The user's controls of the test: the keys e, d, w, s, q, a and the pop-up menu that offers
// the same six commands on the right mouse button.
#pragma once

// The keyboard hook of the test. e/d select the next/previous texture unit for the colour-mipmap
// texture, w/s raise/lower the colour delta, q/a zoom in/out by 0.1; at a bound a key changes
// nothing. Every key, known or not, then puts the plane's dolly back to -zoom and asks for a
// redisplay. The position is ignored.
void handle_key(unsigned char key, int x, int y);

// The callback of the pop-up menus: an entry's value is the code of the key that does the same.
void handle_menu(int value);

// Builds the three submenus and the top menu with their entries and attaches the top menu to the
// right mouse button of the current window.
void create_menu();
