#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace liftvox {

// One message the program looks up with TLanguage::Translate: the key of
// section "Messages" and the Czech text the lookup falls back to. A few keys
// are looked up at several places with slightly different Czech texts; each
// pairing has its own row, so a key may stand on more than one row. Keys the
// code builds at run time ("Interface" + number for the shipped interfaces,
// a special sequence's key + "Hint") are listed like any other.
struct MessageText {
  std::string_view key;
  std::string_view czech;
};

// Every message text, sorted by key (rows of one key stay together). Language
// files are checked against this list: they must hold every key, no other,
// and keep the placeholders of one of the key's Czech texts.
std::span<const MessageText> MessageTexts();

// The Czech texts paired with `key`, in table order; empty for an unknown key.
std::vector<std::string_view> CzechTextsOf(std::string_view key);

bool IsMessageKey(std::string_view key);

}  // namespace liftvox
