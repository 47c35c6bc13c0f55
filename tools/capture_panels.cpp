// Captures the test's window as it looks after start-up into a PNG file, for the README.
// Usage: capture_panels OUT.png [switches]; run it where kestrel runs, so that it finds the
// pictures, on an X display (tools/with-xvfb.sh gives one).
#include <cstdio>
#include <vector>

#include "app/platform.h"
#include "app/startup.h"
#include "image/write_png.h"
#include "report/report_pictures.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.png [switches]\n", argv[0]);
    return 2;
  }
  if (!display_available()) {
    std::fprintf(stderr, "%s: cannot open the X display \"%s\"\n", argv[0], display_name());
    return 1;
  }
  std::vector<char*> test_argv = {argv[0]};
  test_argv.insert(test_argv.end(), argv + 2, argv + argc);
  test_argv.push_back(nullptr);
  if (!start_test(static_cast<int>(test_argv.size()) - 1, test_argv.data())) return 1;

  if (!write_png(argv[1], capture_test_window())) {
    std::fprintf(stderr, "%s: cannot write \"%s\"\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
