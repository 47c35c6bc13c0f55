// Test support for the drag interactors: a fixed modifier answer and counted redisplays.
#include "drag_test_support.h"

#include "interact/mouse_interactor.h"

namespace {

int held_mask = 0;
int queries = 0;
int redisplays = 0;

int answer_held_modifiers() {
  ++queries;
  return held_mask;
}

void count_redisplay() { ++redisplays; }

}  // namespace

void hold_modifiers(int mask) {
  held_mask = mask;
  queries = 0;
  redisplays = 0;
  query_modifiers = answer_held_modifiers;
  request_redisplay = count_redisplay;
}

int modifier_queries() { return queries; }

int take_redisplay_requests() {
  const int taken = redisplays;
  redisplays = 0;
  return taken;
}
