#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace liftvox {

class TPametRevazie;
class TSekvence;
class TVzorek;

// What the property dialogs store. Each function marks the document changed
// and tells the view only when a value really changes.

// The serial-protocol bits a sequence can be started by, as the sequence
// dialog lists them after "none"; 11 is never offered.
inline constexpr std::array<int32_t, 15> kSerialTriggerBits = {8,  9,  10, 12, 13, 14, 15, 16,
                                                               17, 18, 19, 20, 21, 22, 23};

// The sequence properties dialog's values.
struct SequenceProperties {
  uint8_t priority = 0;  // 0..15
  std::string name;
  int32_t code = 0;  // 0..255; 0 whenever an input or a bit is chosen
  int32_t pin = 0;   // 0 = none, 1..7
  int32_t bit = 0;   // 0 = none, else one of kSerialTriggerBits
  bool invParBit = false;
  bool invSerBit = false;
  uint8_t repeat = 255;  // seconds 1..254; 255 = no repetition
};

// Another sequence already started the same way, and its name for the message.
enum class TriggerKind { Code, Pin, Bit };
struct TriggerConflict {
  TriggerKind kind = TriggerKind::Code;
  std::string holder;
};

// Why `edited` cannot take these triggers, in the order the user is told:
// without pin and bit, the code against the first code-triggered sequence
// holding it (which may be `edited` itself: then there is no conflict, even
// if a later one holds the code too), named by the first sequence of that
// code whatever its triggers; then, sequence by sequence in list order, the
// pin and the bit. A sequence never conflicts with itself.
std::optional<TriggerConflict> FindTriggerConflict(const TPametRevazie& document,
                                                   const TSekvence& edited, int32_t code,
                                                   int32_t pin, int32_t bit);

// Stores the values; the name is cleaned (CleanSequenceName).
void StoreSequenceProperties(TPametRevazie& document, TSekvence& sequence,
                             const SequenceProperties& properties);

// A floor is announced by its code alone: opening its properties drops its
// input, serial bit and serial inversion (the parallel inversion stays).
void DropFloorTriggers(TPametRevazie& document, TSekvence& sequence);

// The message properties dialog's OK: the length in samples and the DIL entry.
void StoreSampleProperties(TPametRevazie& document, TVzorek& sample, int32_t samples, int32_t dil);
// Points a recording's sample at an edited copy of its WAV (`file`, an
// absolute path, `samples` long).
void StoreSampleRecording(TPametRevazie& document, TVzorek& sample, const std::string& file,
                          int32_t samples);

// The triggering properties dialog's OK: the polarity of the "speak" signal
// on the parallel and on the serial protocol.
void SetPlayInversion(TPametRevazie& document, bool parallel, bool serial);

}  // namespace liftvox
