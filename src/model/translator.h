#pragma once

#include <string>

namespace liftvox {

// How the core turns a message key into the user's language. Every text the
// core shows passes through it with its English key and its Czech default;
// the default comes back when the language has no text for the key. The
// program's language files implement it; a null translator means Czech.
// Implementations must be safe to call from any thread: device jobs translate
// their messages on their worker.
class Translator {
 public:
  virtual ~Translator() = default;
  virtual std::string Translate(const std::string& key, const std::string& czechDefault) const = 0;
};

// The built-in Czech texts.
class CzechTranslator final : public Translator {
 public:
  std::string Translate(const std::string&, const std::string& czechDefault) const override {
    return czechDefault;
  }
};

}  // namespace liftvox
