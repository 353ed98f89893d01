#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/announcer_session.h"
#include "device/device_settings.h"
#include "device/rs232_interface.h"
#include "device/transfer_observer.h"
#include "lang/language.h"
#include "support/program_runner.h"

namespace liftvox::test {

// Records what a run shows and answers its questions from a script.
class RecordingObserver final : public TransferObserver {
 public:
  std::vector<std::string> ports;
  std::vector<std::string> progressTexts;
  std::vector<int> errorCounts;
  std::vector<Message> warnings;
  std::vector<Message> questions;
  std::vector<Answer> answers;  // consumed front to back, then `fallback`
  Answer fallback = Answer::No;
  int stopAfterProgress = -1;  // ask to stop once this many progress calls came

  void PortChanged(const std::string& label) override { ports.push_back(label); }
  void ProgressChanged(int, const std::string& text) override { progressTexts.push_back(text); }
  void ErrorCountChanged(int count) override { errorCounts.push_back(count); }
  void Warn(const Message& message) override { warnings.push_back(message); }
  Answer AskYesNo(const Message& message) override {
    questions.push_back(message);
    if (answers.empty()) return fallback;
    const Answer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  bool StopRequested() override {
    return stopAfterProgress >= 0 && static_cast<int>(progressTexts.size()) >= stopAfterProgress;
  }
};

// A simulator plus everything a run needs to reach it as port 1.
struct SimLink {
  explicit SimLink(const std::vector<std::string>& simArguments)
      : sim(simArguments), port(PortTable({sim.DevicePath()})) {
    settings.autoPort = false;
    settings.fixedPort = "COM1";
    settings.autoMemory = true;
    session = std::make_unique<AnnouncerSession>(
        port, settings, language, std::vector<InterfaceEntry>{{"Paralelní", 1}, {"Sériové", 5}});
  }

  SimProcess sim;
  RS232Interface port;
  DeviceSettings settings;
  TLanguage language;
  std::unique_ptr<AnnouncerSession> session;
};

// An image in the builder's layout: the parameter block on page 1 with the
// interface number and, when given, a stored configuration text; the other
// used pages carry a pattern.
inline std::vector<uint8_t> MakeImage(int64_t memorySize, int pageSize, int usedPages,
                                      int interfaceNumber, const std::string& configuration) {
  std::vector<uint8_t> image(static_cast<size_t>(memorySize), 0xFF);
  for (int p = 2; p < usedPages; ++p) {
    for (int i = 0; i < pageSize; ++i) {
      image[static_cast<size_t>(p * pageSize + i)] = static_cast<uint8_t>(p * 7 + i * 13);
    }
  }
  image[0] = 1;
  image[1] = 0;
  image[2] = static_cast<uint8_t>(usedPages & 0xFF);
  image[3] = static_cast<uint8_t>(usedPages >> 8);
  const size_t block = static_cast<size_t>(pageSize);
  image[block] = 36;
  image[block + 1] = 0;
  image[block + 4] = static_cast<uint8_t>(interfaceNumber);
  const uint32_t length =
      configuration.empty() ? 0 : static_cast<uint32_t>(configuration.size() + 1);
  for (int i = 0; i < 4; ++i) image[block + 36 + i] = static_cast<uint8_t>(length >> (8 * i));
  std::copy(configuration.begin(), configuration.end(),
            image.begin() + static_cast<std::ptrdiff_t>(block + 40));
  if (!configuration.empty()) image[block + 40 + configuration.size()] = 0;
  return image;
}

}  // namespace liftvox::test
