#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/sample.h"

namespace liftvox {

// Rows of the workspace: a sequence's row is 48 pixels high and its samples'
// boxes stand 103 pixels apart after a 112-pixel head.
inline constexpr int32_t kSequenceRowHeight = 48;
inline constexpr int32_t kFirstSampleLeft = 112;
inline constexpr int32_t kSampleSpacing = 103;

// One announcement: an ordered list of samples and the signal that starts it.
class TSekvence {
 public:
  uint8_t Priority = 0;
  int32_t Top = 0;
  bool Selected = false;
  int32_t Code = 0;
  int32_t Pin = 0;  // parallel input 1..7, 0 = none
  int32_t Bit = 0;  // serial bit 8..10 or 12..23, 0 = none
  bool InvSerBit = false;
  bool InvParBit = false;
  std::string Name;  // see CleanSequenceName for what it may hold
  bool Floor = false;
  std::vector<std::unique_ptr<TVzorek>> SampleList;
  uint8_t Repeat = 0;  // 255 = no automatic repetition
  std::string WizardKey;

  int SampleCount() const { return static_cast<int>(SampleList.size()); }
  TVzorek* SampleAt(int index) const { return SampleList[static_cast<std::size_t>(index)].get(); }
  int IndexOf(const TVzorek* sample) const;  // -1 when not here

  void SetTop(int32_t y);
  void UpdateSamplePositions();
};

}  // namespace liftvox
