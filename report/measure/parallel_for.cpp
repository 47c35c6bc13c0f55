// Indices handed out to a few threads through one atomic counter.
#include "report/measure/parallel_for.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

void parallel_for(int count, const std::function<void(int)>& task, int threads) {
  if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
  threads = std::clamp(threads, 1, std::max(1, count));
  std::atomic<int> next{0};
  const auto work = [&] {
    for (int i = next++; i < count; i = next++) task(i);
  };
  std::vector<std::thread> helpers;
  helpers.reserve(static_cast<std::size_t>(threads - 1));
  for (int t = 1; t < threads; ++t) helpers.emplace_back(work);
  work();
  for (std::thread& helper : helpers) helper.join();
}
