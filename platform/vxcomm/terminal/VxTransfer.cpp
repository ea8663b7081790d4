#include "VxTransfer.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr std::int64_t FastChunk = 64 * 1024;

// A paced link moves about ten chunks a second, so that progress advances smoothly.
std::int64_t chunkSize(std::int64_t rate) {
  if (rate <= 0) return FastChunk;
  return std::clamp<std::int64_t>(rate / 10, 1, FastChunk);
}

}  // namespace

void VxTransfer(std::int64_t size, const TVxTransferOptions& options,
                const std::function<void(std::int64_t offset, std::size_t length)>& step) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const std::int64_t chunk = chunkSize(options.Rate);
  int reported = 0;
  if (options.OnProgress) options.OnProgress(0);
  for (std::int64_t done = 0; done < size;) {
    const std::int64_t length = std::min(chunk, size - done);
    step(done, static_cast<std::size_t>(length));
    done += length;
    if (options.Rate > 0) {
      const auto due = start + std::chrono::microseconds(done * 1000000 / options.Rate);
      std::this_thread::sleep_until(due);
    }
    const int percent = static_cast<int>(done * 100 / size);
    if (percent != reported && percent < 100 && options.OnProgress) options.OnProgress(percent);
    reported = percent;
  }
  if (options.OnProgress) options.OnProgress(100);
}
