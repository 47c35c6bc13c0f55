// The time GL commands take on the driver: a GL_TIME_ELAPSED query where the driver has timer
// queries (OpenGL 3.3, GL_ARB_timer_query or GL_EXT_timer_query) and they measure the commands,
// else the CPU's steady clock from a glFinish before the commands to a glFinish after them.
// The CPU's clock holds the queries' time and more: the first batch of commands that takes
// decisive_milliseconds by it decides. Where the query gives less than half the CPU's time, as a
// software rasterizer's may when its threads' work falls outside the query, the queries do not
// measure the commands and the CPU's clock times them from then on.
#pragma once

#include <GL/gl.h>

#include <functional>
#include <string>

class GlTimer {
 public:
  // Makes the query where the driver has timer queries. Needs the GL context current for the
  // object's lifetime.
  GlTimer();
  ~GlTimer();
  GlTimer(const GlTimer&) = delete;
  GlTimer& operator=(const GlTimer&) = delete;

  // Runs `commands` and gives the time they took in milliseconds, once they have finished; by
  // the CPU's clock until the queries are trusted.
  double time(const std::function<void()>& commands);

  // The clock time() reads, in words: "GL timer queries (GL_TIME_ELAPSED)" or the CPU's clock
  // and why.
  std::string clock() const;

  // The CPU's time of a batch long enough to tell whether the queries measure it.
  static constexpr double decisive_milliseconds = 1.0;

 private:
  struct QueryFunctions;
  enum class Trust { undecided, yes, no };

  // The functions, or null where the driver has no timer queries.
  static const QueryFunctions* query_functions();

  const QueryFunctions* const functions_;  // null without timer queries
  Trust trusted_;                          // no from the start without them
  GLuint query_ = 0;
};
