// The kestrel executable: the anisotropic filtering test in a window.
#include "app/startup.h"

int main(int argc, char** argv) { return run_test(argc, argv); }
