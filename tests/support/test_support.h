#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/prompter.h"

namespace liftvox::test {

// A fresh, empty folder removed again when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

// Makes a named pipe (POSIX); false where there are none, so the test skips.
// Opening one for reading waits for a writer: what readers must never do.
bool MakeFifo(const std::filesystem::path& path);

// The folder with the built binaries and the shipped data beside them.
std::filesystem::path BinDir();
// The checked-in test data folder (tests/data).
std::filesystem::path TestDataDir();

// Records every message and answers questions from a script (default No).
class ScriptedPrompter final : public Prompter {
 public:
  std::vector<Message> shown;   // informations and warnings, in order
  std::vector<Message> asked;   // questions, in order
  std::vector<Answer> answers;  // consumed front to back
  Answer fallback = Answer::No;

  void Inform(const Message& m) override { shown.push_back(m); }
  void Warn(const Message& m) override { shown.push_back(m); }
  Answer AskYesNo(const Message& m) override { return Next(m); }
  Answer AskYesNoCancel(const Message& m) override { return Next(m); }

 private:
  Answer Next(const Message& m);
};

}  // namespace liftvox::test
