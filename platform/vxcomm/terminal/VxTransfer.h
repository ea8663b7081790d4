// Moving data over the simulated link: in chunks, at the configured speed, reporting progress.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// Receives the progress of a transfer in percent.
using TVxProgressEvent = std::function<void(int percent)>;

struct TVxTransferOptions {
  // Bytes per second the link carries; 0 moves data as fast as the PC allows.
  std::int64_t Rate = 0;
  // Told 0 before the first byte, each new percentage as the data moves, and 100 at the end.
  TVxProgressEvent OnProgress;
};

// Calls step(offset, length) for consecutive chunks covering size bytes, waiting between them
// as the rate requires. An exception from step or from the progress event ends the transfer.
void VxTransfer(std::int64_t size, const TVxTransferOptions& options,
                const std::function<void(std::int64_t offset, std::size_t length)>& step);
