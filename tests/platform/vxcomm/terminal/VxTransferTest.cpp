#include "VxTransfer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Moves {
  std::vector<int> Progress;
  std::vector<std::size_t> Chunks;
  std::int64_t Moved = 0;
};

Moves transfer(std::int64_t size, std::int64_t rate) {
  Moves run;
  TVxTransferOptions options;
  options.Rate = rate;
  options.OnProgress = [&](int percent) { run.Progress.push_back(percent); };
  VxTransfer(size, options, [&](std::int64_t offset, std::size_t length) {
    EXPECT_EQ(offset, run.Moved);
    run.Chunks.push_back(length);
    run.Moved += static_cast<std::int64_t>(length);
  });
  return run;
}

}  // namespace

TEST(VxTransferTest, ProgressRisesFromZeroToHundred) {
  const Moves run = transfer(1'000'000, 0);
  EXPECT_EQ(run.Moved, 1'000'000);
  ASSERT_GE(run.Progress.size(), 3u);
  EXPECT_EQ(run.Progress.front(), 0);
  EXPECT_EQ(run.Progress.back(), 100);
  for (std::size_t i = 1; i < run.Progress.size(); ++i) EXPECT_GT(run.Progress[i], run.Progress[i - 1]);
}

TEST(VxTransferTest, EmptyTransferReportsZeroAndHundred) {
  const Moves run = transfer(0, 0);
  EXPECT_TRUE(run.Chunks.empty());
  EXPECT_EQ(run.Progress, (std::vector<int>{0, 100}));
}

TEST(VxTransferTest, PacedTransferMovesTenChunksASecond) {
  const Moves run = transfer(3000, 10'000);  // three tenths of a second
  EXPECT_EQ(run.Chunks, std::vector<std::size_t>(3, 1000));
  EXPECT_EQ(run.Progress, (std::vector<int>{0, 33, 66, 100}));
}

TEST(VxTransferTest, FailingStepEndsTheTransfer) {
  int steps = 0;
  TVxTransferOptions options;
  EXPECT_THROW(VxTransfer(1'000'000, options,
                          [&](std::int64_t, std::size_t) {
                            if (++steps == 2) throw std::runtime_error("link");
                          }),
               std::runtime_error);
  EXPECT_EQ(steps, 2);
}
