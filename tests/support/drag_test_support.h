// Drives the drag interactors without real X input: fixed modifiers and counted redisplays.
#pragma once

// From now on query_modifiers answers `mask` of GLUT_ACTIVE_*; both counts start again at 0.
void hold_modifiers(int mask);

// How often query_modifiers was asked since the last hold_modifiers.
int modifier_queries();

// How often a redisplay was requested since the last hold_modifiers or the last call of this.
int take_redisplay_requests();
