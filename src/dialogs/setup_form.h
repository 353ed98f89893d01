#pragma once

#include <string>

#include "device/device_settings.h"
#include "dialogs/captioned_dialog.h"
#include "image/encoder_kind.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace liftvox {

class ProductionLogGroup;

// The program settings (`TSetupForm`): the announcer's port, detected or
// fixed; the memory size, detected or chosen; whether the configuration text
// goes into the image; the encoder. The controls hold the settings between openings, so
// Cancel keeps what was changed; the main window takes them from Settings()
// whichever button closed the dialog, and detects only after OK.
class TSetupForm final : public CaptionedDialog {
  Q_OBJECT

 public:
  explicit TSetupForm(QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;
  void TranslateLists(const Translator& translator) override;

  // The port list: "COMn" for each port of `ports` that can be opened now,
  // with what the device is and its path beside it; the first entry selected.
  // "Refresh" lists the ports again. The list is editable: a typed device
  // path or "COMn" is the fixed port as it is.
  void FillPortList(const PortTable& ports);
  // Loading: each flag sets its radio pair (and the list follows); a port
  // selects its entry or else stands typed in the list; a size selects its
  // entry, or the first.
  void ShowSettings(const DeviceSettings& settings);
  // The settings as the controls hold them.
  DeviceSettings Settings() const;
  // The coder of the image and the previews, a program setting of its own.
  void ShowEncoder(EncoderKind encoder);
  EncoderKind Encoder() const;

  QComboBox& SerialCombo() const { return *serialCombo_; }
  QComboBox& MemoryCombo() const { return *memoryCombo_; }
  QRadioButton& AutoPort() const { return *autoPort_; }
  QRadioButton& FixedPort() const { return *fixedPort_; }
  QRadioButton& AutoMemory() const { return *autoMemory_; }
  QRadioButton& ChosenMemory() const { return *chosenMemory_; }
  QCheckBox& SetupToFlash() const { return *setupToFlash_; }
  QComboBox& EncoderCombo() const { return *encoderCombo_; }
  ProductionLogGroup& ProductionLog() const { return *productionLog_; }
  QPushButton& RefreshButton() const { return *refreshPorts_; }
  QPushButton& OkButton() const { return *ok_; }
  QPushButton& CancelButton() const { return *cancel_; }

 private:
  void FollowRadioButtons();
  void RefreshPorts();
  std::string ChosenPort() const;
  void ShowPort(const std::string& port);

  QGroupBox* portGroup_ = nullptr;
  QRadioButton* autoPort_ = nullptr;
  QRadioButton* fixedPort_ = nullptr;
  QComboBox* serialCombo_ = nullptr;
  QPushButton* refreshPorts_ = nullptr;
  QGroupBox* memoryGroup_ = nullptr;
  QRadioButton* autoMemory_ = nullptr;
  QRadioButton* chosenMemory_ = nullptr;
  QComboBox* memoryCombo_ = nullptr;
  QGroupBox* configurationGroup_ = nullptr;
  QCheckBox* setupToFlash_ = nullptr;
  QGroupBox* soundGroup_ = nullptr;
  QLabel* encoderLabel_ = nullptr;
  QComboBox* encoderCombo_ = nullptr;
  QLabel* encoderNote_ = nullptr;
  ProductionLogGroup* productionLog_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  // The device list the ports are numbered by; the dialog does not edit it.
  std::string portList_;
};

}  // namespace liftvox
