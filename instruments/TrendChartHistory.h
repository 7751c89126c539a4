#pragma once
// TTrendHistory: the bounded record of one trend channel, and the exact
// min/max of any stretch of it in time that does not grow with its length.
//
// Samples (time, value) are kept in a ring of `capacity` entries: when it is
// full, each new sample replaces the oldest. Times never go down: a sample
// older than the last one is stored at the last time (counted as clamped); a
// sample whose time is not finite is dropped (counted). A NaN value is a
// gap: the line is broken there. An infinite value is stored as a gap too
// (counted as rejected), since no pixel can show it.
//
// Beside the ring, a pyramid of block summaries is kept up to date on every
// append: level 1 holds the min, max and gap flag of each run of 16 samples,
// level 2 of each run of 16 level-1 blocks, and so on. The summary of any
// range of samples then takes at most 2 × 15 look-ups per level, a few
// hundred in all for sixteen million samples, so a repaint costs the same for
// a thousand samples as for ten million.
//
// Memory: 16 bytes per stored sample (time and value, two doubles) and 24
// bytes per block of 16 (level 1) plus 1/16 of that again per level above,
// about 17.6 bytes per sample in all. The ring grows as samples arrive, up
// to its capacity; nothing is allocated for capacity not yet used.
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace tintoral {

// What a stretch of samples holds. min > max when it holds no finite value.
struct TTrendRange {
  double min = std::numeric_limits<double>::infinity();
  double max = -std::numeric_limits<double>::infinity();
  bool gap = false;  // some value in it is a gap
  bool HasValues() const { return min <= max; }
  void Add(double value) {
    if (value < min) min = value;
    if (value > max) max = value;
    gap |= value != value;
  }
  void Add(const TTrendRange& other) {
    if (other.min < min) min = other.min;
    if (other.max > max) max = other.max;
    gap |= other.gap;
  }
};

class TTrendHistory {
 public:
  static constexpr std::int64_t kMinCapacity = 16;
  static constexpr std::int64_t kMaxCapacity = std::int64_t{1} << 24;
  static constexpr int kFanOut = 16;

  // The capacity is held to kMinCapacity … kMaxCapacity.
  explicit TTrendHistory(std::int64_t capacity = 10000);

  std::int64_t Capacity() const { return capacity_; }
  // Keeps the newest samples that fit the new capacity (held to the limits).
  void SetCapacity(std::int64_t capacity);
  void Clear();

  // Sequence numbers count every sample ever stored: the stored ones are
  // First() … End() - 1.
  std::int64_t First() const { return end_ > capacity_ ? end_ - capacity_ : 0; }
  std::int64_t End() const { return end_; }
  std::int64_t Count() const { return end_ - First(); }
  // Counts the times sequence numbers started again from 0 (Clear, and a
  // change of capacity), so that a sequence number kept from before can be
  // told from a new one.
  std::uint64_t Epoch() const { return epoch_; }
  bool Empty() const { return end_ == 0; }
  double TimeAt(std::int64_t sequence) const { return times_[Slot(sequence)]; }
  double ValueAt(std::int64_t sequence) const { return values_[Slot(sequence)]; }
  double LastTime() const { return lastTime_; }

  // False when the sample was dropped.
  bool Append(double time, double value);
  // Both spans the same length; the fast path for many samples.
  void Append(std::span<const double> times, std::span<const double> values);

  std::uint64_t DroppedSamples() const { return dropped_; }
  std::uint64_t ClampedTimes() const { return clamped_; }
  std::uint64_t RejectedValues() const { return rejected_; }

  // The first stored sample whose time passes `reached`, a test that,
  // once true, stays true for every later time (End() when none does).
  template <class Test>
  std::int64_t FirstWhere(Test reached) const {
    std::int64_t lo = First();
    std::int64_t hi = end_;
    while (lo < hi) {
      const std::int64_t mid = lo + (hi - lo) / 2;
      if (reached(TimeAt(mid))) hi = mid;
      else lo = mid + 1;
    }
    return lo;
  }
  // The same, searched outwards from `guess` (a good guess costs a few
  // look-ups near it instead of a search over the whole ring); the answer
  // must lie in [lo, hi].
  template <class Test>
  std::int64_t FirstWhereNear(Test reached, std::int64_t lo, std::int64_t hi, std::int64_t guess) const {
    guess = guess < lo ? lo : guess > hi ? hi : guess;
    std::int64_t step = 1;
    if (guess < hi && !reached(TimeAt(guess))) {
      // Up: the answer is past guess.
      lo = guess + 1;
      while (lo + step < hi && !reached(TimeAt(lo + step - 1))) {
        lo += step;
        step *= 2;
      }
      if (lo + step < hi) hi = lo + step - 1;
    } else {
      // Down: the answer is at or before guess.
      hi = guess;
      while (hi - step > lo && reached(TimeAt(hi - step))) {
        hi -= step;
        step *= 2;
      }
      if (hi - step > lo) lo = hi - step + 1;
    }
    while (lo < hi) {
      const std::int64_t mid = lo + (hi - lo) / 2;
      if (reached(TimeAt(mid))) hi = mid;
      else lo = mid + 1;
    }
    return lo;
  }
  // The first stored sample at or after `time`.
  std::int64_t FirstAtOrAfter(double time) const {
    return FirstWhere([time](double t) { return t >= time; });
  }
  // Asks the processor to fetch what a search and a summary near
  // `sequence` will read (the sample and its blocks at every level), so
  // that walking many columns does not wait on memory one column at a time.
  void Prefetch(std::int64_t sequence) const;
  // The values of samples first … end - 1 (stored ones only).
  TTrendRange Summary(std::int64_t first, std::int64_t end) const;

 private:
  // The ring slot of a stored sample, from the slot the next one goes to
  // (no division: this is on every look-up).
  std::int64_t Slot(std::int64_t sequence) const {
    const std::int64_t slot = writeSlot_ - (end_ - sequence);
    return slot < 0 ? slot + capacity_ : slot;
  }
  // The slot of a block of levels_[level] near the newest one, likewise.
  std::size_t BlockSlot(std::size_t level, std::int64_t block) const {
    std::int64_t slot = newestSlot_[level] - (newestBlock_[level] - block);
    if (slot < 0) slot += slots_[level];
    else if (slot >= slots_[level]) slot -= slots_[level];
    return static_cast<std::size_t>(slot);
  }
  void StoreSample(double time, double value);
  void BlockComplete(int level, std::int64_t block);
  TTrendRange& NewBlock(int level, std::int64_t block);
  const TTrendRange& Block(int level, std::int64_t block) const;
  void SetUpLevels();

  std::int64_t capacity_;
  std::int64_t end_ = 0;
  std::int64_t writeSlot_ = 0;
  TTrendRange* currentBlock_ = nullptr;
  double lastTime_ = -std::numeric_limits<double>::infinity();
  std::vector<double> times_;
  std::vector<double> values_;
  // levels_[k - 1]: the block summaries of level k, block j in slot
  // j % slots_[k - 1]; a slot is reused only once its old block has left
  // the ring.
  std::vector<std::vector<TTrendRange>> levels_;
  std::vector<std::int64_t> slots_;
  std::vector<std::int64_t> newestBlock_;  // per level: the newest block begun, and its slot
  std::vector<std::int64_t> newestSlot_;
  std::uint64_t epoch_ = 0;
  std::uint64_t dropped_ = 0;
  std::uint64_t clamped_ = 0;
  std::uint64_t rejected_ = 0;
};

}  // namespace tintoral
