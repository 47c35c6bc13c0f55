// Timer queries, their entry points looked up through the extension layer, and the CPU's clock
// where the driver has none.
#include "report/draw/gl_timer.h"

#include <GL/glext.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "glh/glh_extensions.h"
#include "glh/glh_platform.h"

struct GlTimer::QueryFunctions {
  PFNGLGENQUERIESPROC gen_queries;
  PFNGLDELETEQUERIESPROC delete_queries;
  PFNGLBEGINQUERYPROC begin_query;
  PFNGLENDQUERYPROC end_query;
  PFNGLGETQUERYOBJECTUI64VPROC get_query_object_ui64v;
};

namespace {

using QueryFunctions = GlTimer::QueryFunctions;

template <typename Function>
Function look_up(const char* name) {
  return reinterpret_cast<Function>(glh::lookup_entry_point(name));
}

// The functions, or null where the driver has no timer queries: a lookup alone proves nothing
// (GLX answers every name), so the version or an extension decides.
const QueryFunctions* query_functions() {
  const char* const version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  const char* const rest = version ? std::strchr(version, '.') : nullptr;
  const int major = version ? std::atoi(version) : 0;
  const int minor = rest ? std::atoi(rest + 1) : 0;
  const bool offered =
      major > 3 || (major == 3 && minor >= 3) ||
      glh::extension_advertised("GL_ARB_timer_query", glh::combined_extension_string) ||
      glh::extension_advertised("GL_EXT_timer_query", glh::combined_extension_string);
  if (!offered) return nullptr;
  // GL_EXT_timer_query names its one function of its own with the suffix.
  static const QueryFunctions functions = {
      look_up<PFNGLGENQUERIESPROC>("glGenQueries"),
      look_up<PFNGLDELETEQUERIESPROC>("glDeleteQueries"),
      look_up<PFNGLBEGINQUERYPROC>("glBeginQuery"), look_up<PFNGLENDQUERYPROC>("glEndQuery"),
      glh::lookup_entry_point("glGetQueryObjectui64v")
          ? look_up<PFNGLGETQUERYOBJECTUI64VPROC>("glGetQueryObjectui64v")
          : look_up<PFNGLGETQUERYOBJECTUI64VPROC>("glGetQueryObjectui64vEXT")};
  const QueryFunctions& f = functions;
  const bool complete = f.gen_queries && f.delete_queries && f.begin_query && f.end_query &&
                        f.get_query_object_ui64v;
  return complete ? &functions : nullptr;
}

}  // namespace

GlTimer::GlTimer() : functions_(query_functions()) {
  if (functions_) functions_->gen_queries(1, &query_);
}

GlTimer::~GlTimer() {
  if (functions_) functions_->delete_queries(1, &query_);
}

double GlTimer::time(const std::function<void()>& commands) {
  glFinish();
  const auto start = std::chrono::steady_clock::now();
  if (functions_ && trusted_ != Trust::no) functions_->begin_query(GL_TIME_ELAPSED, query_);
  commands();
  if (functions_ && trusted_ != Trust::no) functions_->end_query(GL_TIME_ELAPSED);
  glFinish();
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - start;
  if (!functions_ || trusted_ == Trust::no) return elapsed.count();
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
