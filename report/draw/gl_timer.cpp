// Timer queries, their entry points looked up through the extension layer, and the CPU's clock
// where the driver has none.
#include "report/draw/gl_timer.h"

#include <GL/glext.h>

#include <chrono>

#include "report/draw/gl_entry_points.h"

struct GlTimer::QueryFunctions {
  PFNGLGENQUERIESPROC gen_queries;
  PFNGLDELETEQUERIESPROC delete_queries;
  PFNGLBEGINQUERYPROC begin_query;
  PFNGLENDQUERYPROC end_query;
  PFNGLGETQUERYOBJECTUI64VPROC get_query_object_ui64v;
};

const GlTimer::QueryFunctions* GlTimer::query_functions() {
  if (!gl_offers(3, 3, {"GL_ARB_timer_query", "GL_EXT_timer_query"})) return nullptr;
  // GL_EXT_timer_query alone names its one function of its own with the suffix.
  static const QueryFunctions functions = {
      gl_entry_point<PFNGLGENQUERIESPROC>("glGenQueries"),
      gl_entry_point<PFNGLDELETEQUERIESPROC>("glDeleteQueries"),
      gl_entry_point<PFNGLBEGINQUERYPROC>("glBeginQuery"),
      gl_entry_point<PFNGLENDQUERYPROC>("glEndQuery"),
      gl_entry_point<PFNGLGETQUERYOBJECTUI64VPROC>(
          gl_offers(3, 3, {"GL_ARB_timer_query"}) ? "glGetQueryObjectui64v"
                                                  : "glGetQueryObjectui64vEXT")};
  const QueryFunctions& f = functions;
  const bool complete = f.gen_queries && f.delete_queries && f.begin_query && f.end_query &&
                        f.get_query_object_ui64v;
  return complete ? &functions : nullptr;
}

GlTimer::GlTimer()
    : functions_(query_functions()), trusted_(functions_ ? Trust::undecided : Trust::no) {
  if (functions_) functions_->gen_queries(1, &query_);
}

GlTimer::~GlTimer() {
  if (functions_) functions_->delete_queries(1, &query_);
}

double GlTimer::time(const std::function<void()>& commands) {
  const bool querying = trusted_ != Trust::no;
  glFinish();
  const auto start = std::chrono::steady_clock::now();
  if (querying) functions_->begin_query(GL_TIME_ELAPSED, query_);
  commands();
  if (querying) functions_->end_query(GL_TIME_ELAPSED);
  glFinish();
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - start;
  if (!querying) return elapsed.count();
  GLuint64 nanoseconds = 0;
  functions_->get_query_object_ui64v(query_, GL_QUERY_RESULT, &nanoseconds);
  const double queried = static_cast<double>(nanoseconds) * 1e-6;
  if (trusted_ == Trust::undecided && elapsed.count() >= decisive_milliseconds)
    trusted_ = queried >= 0.5 * elapsed.count() ? Trust::yes : Trust::no;
  return trusted_ == Trust::yes ? queried : elapsed.count();
}

std::string GlTimer::clock() const {
  if (trusted_ == Trust::yes) return "GL timer queries (GL_TIME_ELAPSED)";
  return functions_ ? "the CPU's steady clock from glFinish to glFinish (the driver's timer "
                      "queries measured less than half of it)"
                    : "the CPU's steady clock from glFinish to glFinish (the driver has no "
                      "timer queries)";
}
