// Runs the files of a batch on several threads and hands their results back in input order.
// Every conversion is a pure function of its file and the settings, so the pages do not depend
// on how many threads there are or which thread took which file.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace tessarine {

// The number of threads a batch uses by default: the number of cores, at least 1.
unsigned DefaultJobs();

// Runs work(i) for every i in [0, count) on up to `jobs` threads (never more than `count`;
// with jobs <= 1 all on the calling thread, in order). On the calling thread, report(i) runs
// once for every i, in increasing order, as soon as work(0..i) have all finished, and
// finished(n) runs whenever the number n of finished items has grown. work(i) starts only after
// work(j) has finished for every j in after[i] (each j < i; `after` may be empty or shorter than
// `count`). `work` must be safe to run concurrently for unrelated items; the callbacks never run
// concurrently with each other.
void RunBatch(size_t count, unsigned jobs, const std::function<void(size_t index)>& work,
              const std::function<void(size_t index)>& report,
              const std::function<void(size_t finished)>& finished,
              const std::vector<std::vector<size_t>>& after = {});

}  // namespace tessarine
