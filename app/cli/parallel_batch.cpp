#include "app/cli/parallel_batch.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace tessarine {

unsigned DefaultJobs() {
  return std::max(1u, std::thread::hardware_concurrency());
}

void RunBatch(size_t count, unsigned jobs, const std::function<void(size_t index)>& work,
              const std::function<void(size_t index)>& report,
              const std::function<void(size_t finished)>& finished,
              const std::vector<std::vector<size_t>>& after) {
  if (jobs <= 1 || count <= 1) {
    for (size_t i = 0; i < count; ++i) {
      work(i);
      report(i);
      finished(i + 1);
    }
    return;
  }

  std::mutex mutex;
  std::condition_variable changed;
  std::vector<char> done(count, 0);  // guarded by mutex
  size_t finished_count = 0;         // guarded by mutex
  std::atomic<size_t> next{0};

  // Items are taken in increasing order, so an item waited for has already been taken by a
  // thread that never waits for a later one: the waits cannot deadlock.
  auto worker = [&] {
    for (size_t i = next.fetch_add(1); i < count; i = next.fetch_add(1)) {
      if (i < after.size() && !after[i].empty()) {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] {
          return std::all_of(after[i].begin(), after[i].end(), [&](size_t j) { return done[j] != 0; });
        });
      }
      work(i);
      {
        std::lock_guard<std::mutex> lock(mutex);
        done[i] = 1;
        ++finished_count;
      }
      changed.notify_all();
    }
  };

  const size_t threads = std::min<size_t>(jobs, count);
  std::vector<std::jthread> pool;
  pool.reserve(threads);
  for (size_t t = 0; t < threads; ++t) pool.emplace_back(worker);

  // The calling thread only reports: in input order, each item as soon as its predecessors are.
  size_t reported = 0;
  size_t announced = 0;
  while (reported < count) {
    size_t ready_until = reported;
    size_t now_finished = 0;
    {
      std::unique_lock<std::mutex> lock(mutex);
      changed.wait(lock, [&] { return done[reported] != 0 || finished_count > announced; });
      while (ready_until < count && done[ready_until] != 0) ++ready_until;
      now_finished = finished_count;
    }
    for (; reported < ready_until; ++reported) report(reported);
    if (now_finished > announced) {
      announced = now_finished;
      finished(announced);
    }
  }
}

}  // namespace tessarine
