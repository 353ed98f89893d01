#include "model/trigger_text.h"

#include <utility>

#include "model/document.h"
#include "model/translator.h"

namespace liftvox {

std::string CodeToBinary(int32_t code) {
  std::string text(8, '0');
  for (int bit = 0; bit < 8; ++bit)
    if (code & (1 << bit)) text[static_cast<std::size_t>(7 - bit)] = '1';
  return text;
}

int32_t BinaryToCode(std::string_view text) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  int64_t value = 0;
  for (char c : text) {
    if (c != '0' && c != '1') break;
    // Only the low bits survive; keep the running value from overflowing.
    value = ((value << 1) | (c - '0')) & 0x7FFFFFFF;
  }
  return static_cast<int32_t>(value);
}

namespace {

// The key and Czech name of parallel input 0..7; null for other numbers.
const std::pair<const char*, const char*>* PinInput(int32_t pin) {
  static constexpr std::pair<const char*, const char*> kInputs[] = {
      {"ActivateByNone", "Žádný"}, {"SekvOverload", "PRETIZ"}, {"SekvAlarm", "ALARM"},
      {"SekvUp", "NAHORU"},        {"SekvDown", "DOLU"},       {"SekvOpen", "OTVIR"},
      {"SekvClose", "ZAVIR"},      {"SekvUniv", "UNIV"},
  };
  if (pin < 0 || pin > 7) return nullptr;
  return &kInputs[pin];
}

}  // namespace

std::string PinInputName(const TPametRevazie& document, int32_t pin) {
  const auto* input = PinInput(pin);
  return input ? document.Translate(input->first, input->second) : std::string();
}

std::string PinInputName(const Translator& translator, int32_t pin) {
  const auto* input = PinInput(pin);
  return input ? translator.Translate(input->first, input->second) : std::string();
}

std::string TriggerText(const TPametRevazie& document, const TSekvence& sequence) {
  if (sequence.Pin > 0) {
    std::string text = PinInputName(document, sequence.Pin);
    if (sequence.Bit > 0) text += ", Bit " + std::to_string(sequence.Bit);
    return text;
  }
  if (sequence.Bit > 0) return "Bit " + std::to_string(sequence.Bit);
  return CodeToBinary(sequence.Code);
}

}  // namespace liftvox
