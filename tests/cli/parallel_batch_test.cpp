// RunBatch: reports in input order whatever order the work finishes in, and keeps the order
// of items that must follow one another.
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/cli/parallel_batch.h"

namespace tessarine {
namespace {

using namespace std::chrono_literals;

struct Trace {
  std::mutex mutex;
  std::vector<size_t> started, ended, reported, finished;
};

// Earlier items take longer, so with several threads they finish last.
void RunTraced(size_t count, unsigned jobs, Trace& trace,
               const std::vector<std::vector<size_t>>& after = {}) {
  RunBatch(
      count, jobs,
      [&](size_t i) {
        {
          std::lock_guard<std::mutex> lock(trace.mutex);
          trace.started.push_back(i);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2 * (count - i)));
        std::lock_guard<std::mutex> lock(trace.mutex);
        trace.ended.push_back(i);
      },
      [&](size_t i) { trace.reported.push_back(i); }, [&](size_t n) { trace.finished.push_back(n); }, after);
}

TEST(RunBatchTest, ReportsEveryItemOnceInInputOrder) {
  for (unsigned jobs : {1u, 2u, 4u, 16u}) {
    for (size_t count : {0u, 1u, 2u, 7u}) {
      Trace trace;
      RunTraced(count, jobs, trace);
      std::vector<size_t> expected(count);
      for (size_t i = 0; i < count; ++i) expected[i] = i;
      EXPECT_EQ(trace.reported, expected) << "jobs " << jobs << ", count " << count;
      ASSERT_EQ(trace.ended.size(), count);
      // The number finished only grows and ends at the count.
      for (size_t k = 1; k < trace.finished.size(); ++k) EXPECT_LT(trace.finished[k - 1], trace.finished[k]);
      if (count > 0) {
        EXPECT_EQ(trace.finished.back(), count);
      }
    }
  }
}

TEST(RunBatchTest, RunsItemsAtTheSameTime) {
  std::atomic<int> running{0}, most{0};
  RunBatch(
      4, 4,
      [&](size_t) {
        int now = ++running;
        int seen = most.load();
        while (now > seen && !most.compare_exchange_weak(seen, now)) {
        }
        std::this_thread::sleep_for(30ms);
        --running;
      },
      [](size_t) {}, [](size_t) {});
  EXPECT_GT(most.load(), 1);
}

TEST(RunBatchTest, AnItemStartsOnlyAfterTheItemsItFollows) {
  // Item 3 follows 0, item 5 follows 3 and 1: 0 is the slowest, so without the waits 3 and 5
  // would end before it.
  std::vector<std::vector<size_t>> after(6);
  after[3] = {0};
  after[5] = {3, 1};
  Trace trace;
  RunTraced(6, 4, trace, after);
  auto index_of = [&](size_t item) {
    for (size_t k = 0; k < trace.ended.size(); ++k)
      if (trace.ended[k] == item) return k;
    return trace.ended.size();
  };
  auto start_of = [&](size_t item) {
    for (size_t k = 0; k < trace.started.size(); ++k)
      if (trace.started[k] == item) return k;
    return trace.started.size();
  };
  ASSERT_EQ(trace.ended.size(), 6u);
  EXPECT_LT(index_of(0), index_of(3));
  EXPECT_LT(index_of(3), index_of(5));
  EXPECT_LT(index_of(1), index_of(5));
  // Started only after what it follows had ended: it ends after them although it is quicker.
  EXPECT_LT(start_of(0), start_of(3));
  EXPECT_EQ(trace.reported, (std::vector<size_t>{0, 1, 2, 3, 4, 5}));
}

}  // namespace
}  // namespace tessarine
