#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace liftvox {

class TPametRevazie;
class TSekvence;
class Translator;

// The low 8 bits of a code as eight "0"/"1" characters, most significant
// first: 5 gives "00000101", 4100 gives "00000100".
std::string CodeToBinary(int32_t code);

// Reads binary digits from the left after trimming blanks and control
// characters, stopping at the first other character; no digits gives 0.
// Callers keep the low 8 bits.
int32_t BinaryToCode(std::string_view text);

// The translated name of parallel input 0..7 as the sequence dialog lists it
// ("Žádný", "PRETIZ", ...); empty for other numbers.
std::string PinInputName(const TPametRevazie& document, int32_t pin);
std::string PinInputName(const Translator& translator, int32_t pin);

// The label of a sequence's trigger: its input (with ", Bit n"), its serial
// bit, or its binary code.
std::string TriggerText(const TPametRevazie& document, const TSekvence& sequence);

}  // namespace liftvox
