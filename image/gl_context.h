// Whether this thread has a GL context to issue calls to: the objects that own GL names ask it
// before giving their names back at process exit.
#pragma once

// True when a GL context is current on the calling thread.
bool gl_context_current();
