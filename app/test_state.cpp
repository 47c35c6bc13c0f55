// The one instance of the test's global settings.
#include "app/test_state.h"

TestState test_state;
