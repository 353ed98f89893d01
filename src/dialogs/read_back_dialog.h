#pragma once

#include <cstdint>
#include <vector>

#include "dialogs/transfer_dialog.h"

namespace liftvox {

// A read-back dialog: reads from the announcer into an image buffer of its
// own on a worker as soon as it is shown, and closes itself when the read
// ends, however it ends. The command then takes the image and the result.
class ReadBackDialog : public TransferDialog {
  Q_OBJECT

 public:
  using Read = TransferResult (*)(AnnouncerSession& session, std::vector<uint8_t>& image,
                                  int64_t memorySize, Prompter& prompter,
                                  DeviceJobObserver& observer);

  ReadBackDialog(const char* className, const TransferCaptionIds& captionIds, Read read,
                 AnnouncerSession& session, QWidget* parent);

  // The memory size of the next read, in bytes.
  void SetMemorySize(int64_t bytes) { memorySize_ = bytes; }
  // The image of the last read (memory size + 1 bytes, 0xFF where nothing
  // was read); empty once taken.
  std::vector<uint8_t> TakeImage() { return std::move(image_); }

 protected:
  DeviceJobRunner::Job Transfer() override;

 private:
  Read read_;
  int64_t memorySize_ = 0;
  std::vector<uint8_t> image_;
};

// Reads the whole image in use ("Načtení paměti z hlásiče").
class TPametZRevazieForm final : public ReadBackDialog {
  Q_OBJECT

 public:
  TPametZRevazieForm(AnnouncerSession& session, QWidget* parent);
};

// Reads only the pages that hold the stored configuration ("Načtení
// konfigurace z hlásiče").
class TKonfiguraceZRevazieForm final : public ReadBackDialog {
  Q_OBJECT

 public:
  TKonfiguraceZRevazieForm(AnnouncerSession& session, QWidget* parent);
};

}  // namespace liftvox
