#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "commands/batch_programming.h"
#include "dialogs/captioned_dialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace liftvox {

class PortTable;
class Prompter;

// Programs one image into several announcers at once
// ("Naprogramovat více hlásičů…"): a row per port with its state, progress,
// transfer errors and time; "&Start" programs every ticked port, each on its
// own worker (BatchProgramming), "&Zastavit" stops them all after their
// current page. When a batch has ended the next announcers can be connected
// and started with the same image. "&Vyhledat hlásiče" ticks the ports where
// an announcer answers, and unticks the others.
//
// Nobody is asked anything during a batch: the interface question is
// answered by its check box, repeated page failures give up after the
// setup's limit. The dialog cannot be closed while a batch or a search runs,
// so the translator it was given (the program's language) cannot change
// under the workers: the language is switched from the main window only.
class BatchProgrammingDialog final : public CaptionedDialog {
  Q_OBJECT

 public:
  enum Column { kPortColumn, kStateColumn, kProgressColumn, kErrorsColumn, kTimeColumn };

  BatchProgrammingDialog(const Translator& language, std::vector<InterfaceEntry> interfaces,
                         QWidget* parent);
  // Stops and waits for the workers.
  ~BatchProgrammingDialog() override;

  void RegisterCaptions(CaptionTable& captions) override;
  void TranslateLists(const Translator& translator) override;

  // Messages and questions, on the GUI thread.
  void SetPrompter(Prompter* prompter) { prompter_ = prompter; }
  // A row for each port of `ports` not listed yet, unticked.
  void AddPorts(const PortTable& ports);
  // A row for `device` (a device path), ticked; nothing for a path listed.
  void AddDevice(const QString& device);
  // The image the next batches write, and whether the configuration has
  // changed since it was built.
  void SetImage(std::shared_ptr<const ImageToProgram> image, bool stale);
  // Called when "&Start" finds the image stale and the user wants it built
  // again; it gives the new image to SetImage.
  void SetRebuild(std::function<void()> rebuild) { rebuild_ = std::move(rebuild); }
  // True while something else uses the serial ports (the memory-size
  // detection): a start or a search waits until it is false.
  void SetPortsBusy(std::function<bool()> busy) { portsBusy_ = std::move(busy); }
  // The production log the next batches append to; empty: none.
  void SetProductionLog(std::filesystem::path file);

  bool Running() const { return batch_ != nullptr || startPending_; }
  bool Searching() const { return searching_ > 0; }
  QTableWidget& Table() const { return *table_; }
  QCheckBox& VerifyBox() const { return *verify_; }
  QCheckBox& OtherInterfaceBox() const { return *otherInterface_; }
  QLineEdit& DevicePathEdit() const { return *devicePath_; }
  QPushButton& AddButton() const { return *add_; }
  QPushButton& DetectButton() const { return *detect_; }
  QPushButton& StartButton() const { return *start_; }
  QPushButton& StopButton() const { return *stop_; }
  QPushButton& CloseButton() const { return *close_; }
  QString ImageText() const;

  void done(int result) override;

 signals:
  // A batch has ended and its final states are shown.
  void BatchFinished();

 private:
  class Relay;

  void AddRow(const std::string& device, const QString& label, bool ticked);
  void StartClicked();
  void StartWhenPortsFree();
  void Launch();
  void ShowStatus(int row, const BatchDeviceStatus& status);
  // The batch's rows when it ends before its workers start.
  void ShowBatchStopped();
  void EndBatch();
  void SearchClicked();
  void SearchWhenPortsFree();
  void SearchEnded(int row, bool found);
  void ShowImage();
  void UpdateControls();
  std::vector<int> TickedRows() const;

  const Translator& language_;
  std::vector<InterfaceEntry> interfaces_;
  Prompter* prompter_ = nullptr;
  std::shared_ptr<const ImageToProgram> image_;
  bool stale_ = false;
  std::function<void()> rebuild_;
  std::function<bool()> portsBusy_;
  std::filesystem::path logFile_;

  QLabel* imageLabel_;
  QLabel* verifyTime_;
  QTableWidget* table_;
  QLabel* devicePathLabel_;
  QLineEdit* devicePath_;
  QPushButton* add_;
  QPushButton* detect_;
  QCheckBox* verify_;
  QCheckBox* otherInterface_;
  QLabel* logLabel_;
  QPushButton* start_;
  QPushButton* stop_;
  QPushButton* close_;

  std::vector<std::string> devices_;  // of each row
  std::vector<int> batchRows_;        // the row of each device of the batch
  bool startPending_ = false;         // waiting for the ports
  bool searchPending_ = false;
  int searching_ = 0;  // searches not yet reported
  std::vector<std::thread> searches_;
  std::unique_ptr<Relay> relay_;
  std::unique_ptr<ProductionLog> log_;       // outlives the batch
  std::unique_ptr<BatchProgramming> batch_;  // the running batch
};

}  // namespace liftvox
