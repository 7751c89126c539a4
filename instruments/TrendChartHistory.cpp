#include "instruments/TrendChartHistory.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tintoral {
namespace {

constexpr int kBlockBits = 4;  // kFanOut == 1 << kBlockBits
constexpr std::int64_t kBlockMask = (std::int64_t{1} << kBlockBits) - 1;

std::int64_t HeldCapacity(std::int64_t capacity) {
  return std::clamp(capacity, TTrendHistory::kMinCapacity, TTrendHistory::kMaxCapacity);
}

}  // namespace

TTrendHistory::TTrendHistory(std::int64_t capacity) : capacity_(HeldCapacity(capacity)) { SetUpLevels(); }

void TTrendHistory::SetUpLevels() {
  levels_.clear();
  slots_.clear();
  newestBlock_.clear();
  newestSlot_.clear();
  // Level k exists while a block of it (16^k samples) fits the ring. Two
  // slots more than the ring holds blocks keep a block's slot until all
  // its samples have been replaced.
  for (std::int64_t size = TTrendHistory::kFanOut; size <= capacity_; size <<= kBlockBits) {
    levels_.emplace_back();
    slots_.push_back(capacity_ / size + 2);
    newestBlock_.push_back(0);
    newestSlot_.push_back(0);
  }
  currentBlock_ = nullptr;
}

void TTrendHistory::Clear() {
  times_.clear();
  values_.clear();
  end_ = 0;
  writeSlot_ = 0;
  lastTime_ = -std::numeric_limits<double>::infinity();
  ++epoch_;
  SetUpLevels();
}

void TTrendHistory::SetCapacity(std::int64_t capacity) {
  capacity = HeldCapacity(capacity);
  if (capacity == capacity_) return;
  const std::int64_t keep = std::min(Count(), capacity);
  std::vector<double> times(static_cast<std::size_t>(keep));
  std::vector<double> values(static_cast<std::size_t>(keep));
  for (std::int64_t i = 0; i < keep; ++i) {
    const std::int64_t sequence = end_ - keep + i;
    times[static_cast<std::size_t>(i)] = TimeAt(sequence);
    values[static_cast<std::size_t>(i)] = ValueAt(sequence);
  }
  const double lastTime = lastTime_;
  capacity_ = capacity;
  Clear();
  times_.reserve(static_cast<std::size_t>(keep));
  values_.reserve(static_cast<std::size_t>(keep));
  for (std::int64_t i = 0; i < keep; ++i)
    StoreSample(times[static_cast<std::size_t>(i)], values[static_cast<std::size_t>(i)]);
  lastTime_ = lastTime;
}

bool TTrendHistory::Append(double time, double value) {
  if (!std::isfinite(time)) {
    ++dropped_;
    return false;
  }
  if (time < lastTime_) {
    time = lastTime_;
    ++clamped_;
  }
  if (std::isinf(value)) {
    value = std::numeric_limits<double>::quiet_NaN();
    ++rejected_;
  }
  StoreSample(time, value);
  return true;
}

void TTrendHistory::Append(std::span<const double> times, std::span<const double> values) {
  const std::size_t count = std::min(times.size(), values.size());
  for (std::size_t i = 0; i < count; ++i) Append(times[i], values[i]);
}

void TTrendHistory::StoreSample(double time, double value) {
  if (static_cast<std::int64_t>(times_.size()) < capacity_) {
    times_.push_back(time);
    values_.push_back(value);
  } else {
    times_[static_cast<std::size_t>(writeSlot_)] = time;
    values_[static_cast<std::size_t>(writeSlot_)] = value;
  }
  if (++writeSlot_ == capacity_) writeSlot_ = 0;
  lastTime_ = time;
  if (!levels_.empty()) {
    if ((end_ & kBlockMask) == 0) currentBlock_ = &NewBlock(1, end_ >> kBlockBits);
    currentBlock_->Add(value);
    if ((end_ & kBlockMask) == kBlockMask) BlockComplete(1, end_ >> kBlockBits);
  }
  ++end_;
}

TTrendRange& TTrendHistory::NewBlock(int level, std::int64_t block) {
  std::vector<TTrendRange>& blocks = levels_[static_cast<std::size_t>(level - 1)];
  const auto slot = static_cast<std::size_t>(block % slots_[static_cast<std::size_t>(level - 1)]);
  if (slot >= blocks.size()) blocks.resize(slot + 1);
  newestBlock_[static_cast<std::size_t>(level - 1)] = block;
  newestSlot_[static_cast<std::size_t>(level - 1)] = static_cast<std::int64_t>(slot);
  blocks[slot] = TTrendRange{};
  return blocks[slot];
}

const TTrendRange& TTrendHistory::Block(int level, std::int64_t block) const {
  const std::vector<TTrendRange>& blocks = levels_[static_cast<std::size_t>(level - 1)];
  return blocks[BlockSlot(static_cast<std::size_t>(level - 1), block)];
}

void TTrendHistory::BlockComplete(int level, std::int64_t block) {
  if (level >= static_cast<int>(levels_.size())) return;
  const std::int64_t parentBlock = block >> kBlockBits;
  TTrendRange& parent =
      (block & kBlockMask) == 0
          ? NewBlock(level + 1, parentBlock)
          : levels_[static_cast<std::size_t>(level)][BlockSlot(static_cast<std::size_t>(level), parentBlock)];
  parent.Add(Block(level, block));
  if ((block & kBlockMask) == kBlockMask) BlockComplete(level + 1, parentBlock);
}

void TTrendHistory::Prefetch(std::int64_t sequence) const {
  if (sequence < First() || sequence >= end_) return;
  // A summary that starts or ends at `sequence` reads the run of 16 it lies
  // in, at every level: ask for each run whole, a cache line at a time.
  constexpr std::size_t kLine = 64;
  auto fetchRun = [](const auto* data, std::size_t size, std::size_t first) {
    const std::size_t last = std::min(size, first + kFanOut) - 1;
    const auto* from = reinterpret_cast<const char*>(data + first);
    const auto* to = reinterpret_cast<const char*>(data + last);
    for (const char* line = from; line <= to; line += kLine) __builtin_prefetch(line);
    __builtin_prefetch(to);
  };
  const auto runStart = static_cast<std::size_t>(Slot(std::max(First(), sequence & ~kBlockMask)));
  fetchRun(times_.data(), times_.size(), runStart);
  fetchRun(values_.data(), values_.size(), runStart);
  std::int64_t block = sequence;
  for (std::size_t level = 0; level < levels_.size(); ++level) {
    block >>= kBlockBits;
    const std::size_t slot = BlockSlot(level, block & ~kBlockMask);
    if (slot < levels_[level].size()) fetchRun(levels_[level].data(), levels_[level].size(), slot);
  }
}

TTrendRange TTrendHistory::Summary(std::int64_t first, std::int64_t end) const {
  TTrendRange range;
  std::int64_t lo = std::max(first, First());
  std::int64_t hi = std::min(end, end_);
  const int top = static_cast<int>(levels_.size());
  // Adds entries a … b - 1 of a level, stepping through the slots without
  // a division per entry.
  auto addRun = [&](int level, std::int64_t a, std::int64_t b) {
    if (a >= b) return;
    if (level == 0) {
      auto slot = static_cast<std::size_t>(Slot(a));
      for (std::int64_t i = a; i < b; ++i) {
        range.Add(values_[slot]);
        if (++slot == static_cast<std::size_t>(capacity_)) slot = 0;
      }
      return;
    }
    const std::vector<TTrendRange>& blocks = levels_[static_cast<std::size_t>(level - 1)];
    const auto count = static_cast<std::size_t>(slots_[static_cast<std::size_t>(level - 1)]);
    auto slot = BlockSlot(static_cast<std::size_t>(level - 1), a);
    for (std::int64_t i = a; i < b; ++i) {
      range.Add(blocks[slot]);
      if (++slot == count) slot = 0;
    }
  };
  // Walk up the pyramid: at each level take the loose ends, then the whole
  // blocks between them at the level above. Blocks wholly inside
  // [first, end) are complete and still in the ring.
  for (int level = 0; lo < hi; ++level) {
    if (level == top) {
      addRun(level, lo, hi);
      break;
    }
    const std::int64_t alignedLo = std::min(hi, (lo + kBlockMask) & ~kBlockMask);
    const std::int64_t alignedHi = std::max(alignedLo, hi & ~kBlockMask);
    addRun(level, lo, alignedLo);
    addRun(level, alignedHi, hi);
    lo = alignedLo >> kBlockBits;
    hi = alignedHi >> kBlockBits;
  }
  return range;
}

}  // namespace tintoral
