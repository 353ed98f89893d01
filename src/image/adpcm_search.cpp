#include "image/adpcm_search.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "image/adpcm_predictor.h"

namespace liftvox {
namespace {

// Each path is extended by the standard coder's choice and the two codes
// next to it in size. Where the input is about to move further than twice
// the path's step within 8 samples, it also tries the largest rise and fall,
// which grow the step fastest: a step or a full-scale square wave needs them
// some samples before the edge (6 dB better on a step, 29 on a square wave);
// elsewhere they never pay and would fill the beam with losing paths, four
// times the work. Measured on the shipped speech at three levels, 32
// survivors give nearly all that 256 trying all sixteen codes give (quiet
// speech the same, full-scale speech 0.15 dB less) at a hundredth of the
// time; a longer look-ahead or stretch changes nothing measurable.
constexpr int kSurvivors = 32;
constexpr int kNearCodes = 3;
constexpr std::array<int, 2> kLargestCodes = {7, 15};
constexpr int kMostCodes = kNearCodes + static_cast<int>(kLargestCodes.size());
constexpr std::int64_t kSwingAhead = 8;
constexpr int kSwingSteps = 2;
constexpr std::int64_t kCommitted = 1024;
constexpr std::int64_t kLookAhead = 32;
constexpr std::int64_t kWindow = kCommitted + kLookAhead;
// A window's error fits 32 bits: at most 255 squared per sample.
static_assert(kWindow * 255 * 255 < (std::int64_t{1} << 32));

// The codes ordered by the change they make, from the largest fall to the
// largest rise, and each code's place in that order: neighbours in this order
// are the next coarser and finer choices.
constexpr std::array<int, 16> kCodeByLevel = {15, 14, 13, 12, 11, 10, 9, 8, 0, 1, 2, 3, 4, 5, 6, 7};
constexpr std::array<int, 16> kLevelOfCode = {8, 9, 10, 11, 12, 13, 14, 15, 7, 6, 5, 4, 3, 2, 1, 0};

struct Path {
  AdpcmPredictor state{128, 0};
  std::uint32_t cost = 0;
  std::uint32_t key = 0;   // the state as one number, for merging and ties
  std::uint16_t link = 0;  // survivor it came from (high bits) and its code (low 4)
};

std::uint32_t KeyOf(const AdpcmPredictor& state) {
  return (static_cast<std::uint32_t>(state.value) << 7) | static_cast<std::uint32_t>(state.index);
}

bool Better(const Path& a, const Path& b) {
  return a.cost != b.cost ? a.cost < b.cost : a.key < b.key;
}

class BeamSearch {
 public:
  explicit BeamSearch(std::span<const std::uint8_t> input)
      : input_(input), links_(static_cast<std::size_t>(kWindow * kSurvivors)) {}

  // The codes of the best path over [begin, end) from `start`, into `codes`.
  void Run(const AdpcmPredictor& start, std::int64_t begin, std::int64_t end, std::uint8_t* codes) {
    survivors_[0] = Path{start, 0, KeyOf(start), 0};
    survivorCount_ = 1;
    for (std::int64_t t = begin; t < end; ++t) Step(t, t - begin);
    int best = 0;
    for (int s = 1; s < survivorCount_; ++s)
      if (Better(survivors_[s], survivors_[best])) best = s;
    for (std::int64_t t = end - 1; t >= begin; --t) {
      const std::uint16_t link = links_[static_cast<std::size_t>((t - begin) * kSurvivors + best)];
      codes[t - begin] = static_cast<std::uint8_t>(link & 15);
      best = link >> 4;
    }
  }

 private:
  // How far the input moves from sample t within the next kSwingAhead.
  int SwingAfter(std::int64_t t) const {
    const int sample = input_[static_cast<std::size_t>(t)];
    const std::int64_t last = std::min<std::int64_t>(t + kSwingAhead, std::ssize(input_) - 1);
    int swing = 0;
    for (std::int64_t j = t + 1; j <= last; ++j)
      swing = std::max(swing, std::abs(input_[static_cast<std::size_t>(j)] - sample));
    return swing;
  }

  void Step(std::int64_t t, std::int64_t offset) {
    const int sample = input_[static_cast<std::size_t>(t)];
    const int swing = SwingAfter(t);
    candidateCount_ = 0;
    ++generation_;
    for (int s = 0; s < survivorCount_; ++s) {
      AdpcmPredictor standard = survivors_[s].state;
      const int step = kAdpcmStepTable[static_cast<std::size_t>(standard.index)];
      const int level = kLevelOfCode[static_cast<std::size_t>(standard.Encode(sample))];
      const int lowest = std::clamp(level - kNearCodes / 2, 0, 16 - kNearCodes);
      for (int l = lowest; l < lowest + kNearCodes; ++l)
        Extend(s, kCodeByLevel[static_cast<std::size_t>(l)], sample);
      if (swing <= kSwingSteps * step) continue;
      for (const int code : kLargestCodes) {
        const int place = kLevelOfCode[static_cast<std::size_t>(code)];
        if (place < lowest || place >= lowest + kNearCodes) Extend(s, code, sample);
      }
    }
    // Ranked by cost, then by arrival, as one number each: quicker to select
    // than the paths themselves.
    for (int c = 0; c < candidateCount_; ++c)
      ranks_[static_cast<std::size_t>(c)] =
          (std::uint64_t{candidates_[static_cast<std::size_t>(c)].cost} << 8) |
          static_cast<std::uint64_t>(c);
    survivorCount_ = std::min(candidateCount_, kSurvivors);
    if (candidateCount_ > kSurvivors)
      std::nth_element(ranks_.begin(), ranks_.begin() + kSurvivors,
                       ranks_.begin() + candidateCount_);
    for (int s = 0; s < survivorCount_; ++s) {
      survivors_[static_cast<std::size_t>(s)] =
          candidates_[ranks_[static_cast<std::size_t>(s)] & 0xFF];
      links_[static_cast<std::size_t>(offset * kSurvivors + s)] = survivors_[s].link;
    }
  }

  void Extend(int survivor, int code, int sample) {
    const Path& from = survivors_[static_cast<std::size_t>(survivor)];
    AdpcmPredictor next = from.state;
    const int error = next.Decode(code) - sample;
    Offer(next, from.cost + static_cast<std::uint32_t>(error * error),
          static_cast<std::uint16_t>((survivor << 4) | code));
  }

  // Paths that reach the same state have the same future: only the cheaper
  // one is worth keeping.
  void Offer(const AdpcmPredictor& state, std::uint32_t cost, std::uint16_t link) {
    const std::uint32_t key = KeyOf(state);
    std::uint32_t slot = (key * 2654435761u) >> (32 - kHashBits);
    for (; stamps_[slot] == generation_; slot = (slot + 1) & (kHashSlots - 1)) {
      Path& known = candidates_[hashed_[slot]];
      if (known.key != key) continue;
      if (cost < known.cost) {
        known.cost = cost;
        known.link = link;
      }
      return;
    }
    stamps_[slot] = generation_;
    hashed_[slot] = static_cast<std::uint8_t>(candidateCount_);
    candidates_[static_cast<std::size_t>(candidateCount_++)] = Path{state, cost, key, link};
  }

  static constexpr int kHashBits = 9;
  static constexpr std::uint32_t kHashSlots = 1u << kHashBits;
  static_assert(kSurvivors * kMostCodes < static_cast<int>(kHashSlots) / 2);

  std::span<const std::uint8_t> input_;
  std::array<Path, kSurvivors> survivors_{};
  int survivorCount_ = 0;
  std::array<Path, kSurvivors * kMostCodes> candidates_{};
  std::array<std::uint64_t, kSurvivors * kMostCodes> ranks_{};
  int candidateCount_ = 0;
  std::array<std::uint32_t, kHashSlots> stamps_{};
  std::array<std::uint8_t, kHashSlots> hashed_{};
  std::uint32_t generation_ = 0;
  std::vector<std::uint16_t> links_;  // per sample of the window and survivor
};

}  // namespace

bool SearchAdpcmCodes(std::span<const std::uint8_t> input, std::span<std::uint8_t> output,
                      const SampleProgress& progress) {
  const auto n = static_cast<std::int64_t>(input.size());
  BeamSearch search(input);
  AdpcmPredictor state(AdpcmState{});
  std::array<std::uint8_t, kWindow> codes{};
  for (std::int64_t begin = 0; begin < n;) {
    const std::int64_t end = std::min(n, begin + kWindow);
    const std::int64_t committed = end == n ? n : begin + kCommitted;
    search.Run(state, begin, end, codes.data());
    for (std::int64_t t = begin; t < committed; ++t) {
      const int code = codes[static_cast<std::size_t>(t - begin)];
      state.Decode(code);
      std::uint8_t& byte = output[static_cast<std::size_t>(t / 2)];
      byte =
          (t & 1) ? static_cast<std::uint8_t>(byte | code) : static_cast<std::uint8_t>(code << 4);
    }
    begin = committed;
    if (progress && !progress(begin)) return false;
  }
  return true;
}

}  // namespace liftvox
