#pragma once

#include "device/announcer_session.h"
#include "dialogs/device_dialog.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace liftvox {

// The hardware properties dialog (`TVlastnostiHWForm`): asks the announcer for its port, hardware
// and firmware versions, memory size and active interface on a worker when
// shown, and again on "&Obnovit". Both buttons wait while the query runs.
class TVlastnostiHWForm final : public DeviceDialog {
  Q_OBJECT

 public:
  TVlastnostiHWForm(AnnouncerSession& session, QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;
  void TranslateLists(const Translator& translator) override;

  // Fills the labels from one query. A query that reached an open port
  // empties the interface when nothing valid came back and keeps it when
  // the announcer names an interface the list does not know; one that did
  // not get that far leaves it alone.
  void ShowProperties(const HardwareProperties& properties);

  QString PortText() const;
  QString HardwareText() const;
  QString SoftwareText() const;
  QString MemoryText() const;
  QString InterfaceText() const;
  QPushButton* RefreshButton() const { return refreshButton_; }
  QPushButton* OkButton() const { return okButton_; }

 protected:
  void StartJob() override;

 private:
  QGroupBox* group_;
  QLabel* portLabel_;
  QLabel* portValue_;
  QLabel* hardwareLabel_;
  QLabel* hardwareValue_;
  QLabel* softwareLabel_;
  QLabel* softwareValue_;
  QLabel* memoryLabel_;
  QLabel* memoryValue_;
  QLabel* interfaceLabel_;
  QLabel* interfaceValue_;
  QPushButton* refreshButton_;
  QPushButton* okButton_;
  bool interfaceShown_ = false;  // a query has set the interface
};

}  // namespace liftvox
