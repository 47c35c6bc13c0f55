// Test support for the drag interactors: GLUT's modifier query and redisplay request replaced
// by a fixed answer and a count, so that drags can be driven without real X input.
#pragma once

// From now on query_modifiers answers `mask` (of GLUT_ACTIVE_SHIFT and GLUT_ACTIVE_CTRL) and
// request_redisplay is counted; both counts start again at 0.
void hold_modifiers(int mask);

// How often query_modifiers was asked since the last hold_modifiers.
int modifier_queries();

// How often a redisplay was requested since the last hold_modifiers or the last call of this.
int take_redisplay_requests();
