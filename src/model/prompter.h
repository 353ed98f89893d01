#pragma once

#include <string>

namespace liftvox {

// A message the core wants a person to see. Caption and text arrive translated
// and formatted; `key` is the text's translation key ("SekvTooMany", ...) so
// that tests and the command line can tell messages apart without parsing text.
struct Message {
  std::string key;
  std::string caption;
  std::string text;
};

enum class Answer { Yes, No, Cancel };

// How the core shows messages and asks questions. The GUI implements it with
// message boxes, the CLI with stderr and flags, tests with scripted answers.
// The core never shows anything itself.
class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual void Inform(const Message& message) = 0;
  virtual void Warn(const Message& message) = 0;
  virtual Answer AskYesNo(const Message& message) = 0;
  virtual Answer AskYesNoCancel(const Message& message) = 0;
};

// Shows nothing and answers No: for code paths that must not ask anyone.
class SilentPrompter final : public Prompter {
 public:
  void Inform(const Message&) override {}
  void Warn(const Message&) override {}
  Answer AskYesNo(const Message&) override { return Answer::No; }
  Answer AskYesNoCancel(const Message&) override { return Answer::No; }
};

}  // namespace liftvox
