#include "dialogs/batch_programming_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "base/message_format.h"
#include "commands/command_error.h"
#include "commands/production_log.h"
#include "config/paths.h"
#include "device/announcer_protocol.h"
#include "device/device_settings.h"
#include "device/rs232_interface.h"
#include "dialogs/programming_texts.h"
#include "image/memory_size.h"
#include "lang/caption_names.h"
#include "model/prompter.h"
#include "ui/caption_table.h"
#include "ui/plain_text.h"
#include "ui/translated_text.h"

namespace liftvox {
namespace {

namespace ids = caption_id::batch_programming;

// How long a start or a search waits before it looks at busy ports again.
constexpr int kPortsBusyRetryMs = 100;

// Whether an announcer answers on `device`; on the caller's thread.
bool AnnouncerAnswers(const std::string& device) {
  RS232Interface port(PortTable({device}));
  return ProbePort(port, 1);
}

}  // namespace

// Hands the workers' reports to the GUI thread, in the order each worker
// sent them.
class BatchProgrammingDialog::Relay final : public BatchObserver {
 public:
  explicit Relay(BatchProgrammingDialog& dialog) : dialog_(dialog) {}

  void DeviceChanged(size_t index, const BatchDeviceStatus& status) override {
    QMetaObject::invokeMethod(
        &dialog_,
        [dialog = &dialog_, index, status] {
          if (index < dialog->batchRows_.size())
            dialog->ShowStatus(dialog->batchRows_[index], status);
        },
        Qt::QueuedConnection);
  }
  void BatchEnded() override {
    QMetaObject::invokeMethod(&dialog_, &BatchProgrammingDialog::EndBatch, Qt::QueuedConnection);
  }

 private:
  BatchProgrammingDialog& dialog_;
};

BatchProgrammingDialog::BatchProgrammingDialog(const Translator& language,
                                               std::vector<InterfaceEntry> interfaces,
                                               QWidget* parent)
    : CaptionedDialog("BatchProgrammingDialog", parent),
      language_(language),
      interfaces_(std::move(interfaces)),
      image_(std::make_shared<const ImageToProgram>()),
      imageLabel_(new QLabel(this)),
      verifyTime_(new QLabel(this)),
      table_(new QTableWidget(0, 5, this)),
      devicePathLabel_(new QLabel(this)),
      devicePath_(new QLineEdit(this)),
      add_(new QPushButton(this)),
      detect_(new QPushButton(this)),
      verify_(new QCheckBox(this)),
      otherInterface_(new QCheckBox(this)),
      logLabel_(new QLabel(this)),
      start_(new QPushButton(this)),
      stop_(new QPushButton(this)),
      close_(new QPushButton(this)),
      relay_(std::make_unique<Relay>(*this)) {
  for (QLabel* label : {imageLabel_, verifyTime_, logLabel_}) {
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
  }
  for (int column = 0; column < table_->columnCount(); ++column)
    table_->setHorizontalHeaderItem(column, new QTableWidgetItem);
  table_->verticalHeader()->hide();
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setSectionResizeMode(kPortColumn, QHeaderView::Stretch);
  table_->horizontalHeader()->setSectionResizeMode(kStateColumn, QHeaderView::Stretch);
  table_->setColumnWidth(kProgressColumn, 120);
  // "Übertragungsfehler" is wider than its numbers.
  for (Column column : {kErrorsColumn, kTimeColumn})
    table_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  devicePathLabel_->setBuddy(devicePath_);

  auto* devices = new QHBoxLayout;
  devices->addWidget(devicePathLabel_);
  devices->addWidget(devicePath_, 1);
  devices->addWidget(add_);
  devices->addSpacing(12);
  devices->addWidget(detect_);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(start_, QDialogButtonBox::ActionRole);
  buttons->addButton(stop_, QDialogButtonBox::ActionRole);
  buttons->addButton(close_, QDialogButtonBox::RejectRole);
  for (QPushButton* button : {start_, stop_, close_, add_, detect_}) button->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(imageLabel_);
  layout->addWidget(verifyTime_);
  layout->addWidget(table_, 1);
  layout->addLayout(devices);
  layout->addWidget(verify_);
  layout->addWidget(otherInterface_);
  layout->addWidget(logLabel_);
  layout->addWidget(buttons);
  setMinimumSize(640, 420);

  connect(start_, &QPushButton::clicked, this, &BatchProgrammingDialog::StartClicked);
  connect(stop_, &QPushButton::clicked, this, [this] {
    startPending_ = false;
    if (batch_) batch_->RequestStop();
    UpdateControls();
  });
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  connect(detect_, &QPushButton::clicked, this, &BatchProgrammingDialog::SearchClicked);
  connect(add_, &QPushButton::clicked, this, [this] {
    AddDevice(devicePath_->text().trimmed());
    devicePath_->clear();
  });
  connect(devicePath_, &QLineEdit::returnPressed, add_, &QPushButton::click);
  connect(table_, &QTableWidget::itemChanged, this, &BatchProgrammingDialog::UpdateControls);
  ShowImage();
  SetProductionLog({});
  UpdateControls();
}

BatchProgrammingDialog::~BatchProgrammingDialog() {
  // The workers report to this dialog: they end while it is whole.
  batch_.reset();
  for (std::thread& search : searches_) search.join();
}

void BatchProgrammingDialog::RegisterCaptions(CaptionTable& captions) {
  const auto column = [this, &captions](int id, Column index) {
    captions.Add(id, [this, index](const QString& text) {
      table_->horizontalHeaderItem(index)->setText(text);
    });
  };
  captions.Add(ids::kTitle, [this](const QString& text) { setWindowTitle(text); });
  column(ids::kPortColumn, kPortColumn);
  column(ids::kStateColumn, kStateColumn);
  column(ids::kProgressColumn, kProgressColumn);
  column(ids::kErrorsColumn, kErrorsColumn);
  column(ids::kTimeColumn, kTimeColumn);
  captions.Add(ids::kDevicePathLabel,
               [this](const QString& text) { devicePathLabel_->setText(text); });
  captions.AddCaption(ids::kAddDevice, add_);
  captions.AddCaption(ids::kDetect, detect_);
  captions.AddCaption(ids::kVerify, verify_);
  captions.AddCaption(ids::kOtherInterface, otherInterface_);
  captions.AddCaption(ids::kStart, start_);
  captions.AddCaption(ids::kStop, stop_);
  captions.AddCaption(ids::kClose, close_);
}

void BatchProgrammingDialog::TranslateLists(const Translator&) {
  ShowImage();
  SetProductionLog(logFile_);
}

void BatchProgrammingDialog::AddPorts(const PortTable& ports) {
  // An empty table is the system's COMn ports (Windows): those that open now.
  std::vector<int> numbers;
  if (ports.Devices().empty()) {
    for (const std::string& entry : AvailablePortEntries(ports))
      numbers.push_back(std::stoi(entry.substr(3)));
  } else {
    for (int n = 1; n <= static_cast<int>(ports.Devices().size()); ++n) numbers.push_back(n);
  }
  for (int n : numbers) {
    const std::string device = ports.DevicePath(n);
    if (std::find(devices_.begin(), devices_.end(), device) == devices_.end())
      AddRow(device, QString::fromStdString(ports.Label(n)), false);
  }
}

void BatchProgrammingDialog::AddDevice(const QString& device) {
  const std::string path = device.toStdString();
  if (path.empty() || Running()) return;
  const auto listed = std::find(devices_.begin(), devices_.end(), path);
  if (listed == devices_.end())
    AddRow(path, device, true);
  else
    table_->item(static_cast<int>(listed - devices_.begin()), kPortColumn)
        ->setCheckState(Qt::Checked);
}

void BatchProgrammingDialog::AddRow(const std::string& device, const QString& label, bool ticked) {
  const int row = table_->rowCount();
  devices_.push_back(device);
  table_->insertRow(row);
  auto* port = new QTableWidgetItem(label);
  port->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
  port->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
  table_->setItem(row, kPortColumn, port);
  for (Column column : {kStateColumn, kErrorsColumn, kTimeColumn}) {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled);
    table_->setItem(row, column, item);
  }
  auto* bar = new QProgressBar(table_);
  bar->setRange(0, 100);
  bar->setValue(0);
  table_->setCellWidget(row, kProgressColumn, bar);
  UpdateControls();
}

void BatchProgrammingDialog::SetImage(std::shared_ptr<const ImageToProgram> image, bool stale) {
  if (Running()) return;
  image_ = std::move(image);
  stale_ = stale;
  ShowImage();
}

void BatchProgrammingDialog::SetProductionLog(std::filesystem::path file) {
  logFile_ = std::move(file);
  logLabel_->setText(
      logFile_.empty()
          ? TranslatedText(language_, "ProductionLogOff")
          : QString::fromStdString(FormatMessage(
                TranslatedText(language_, "ProductionLogTo").toStdString(), PathToUtf8(logFile_))));
}

QString BatchProgrammingDialog::ImageText() const { return imageLabel_->text(); }

void BatchProgrammingDialog::ShowImage() {
  const ProgramImage program = image_->ForProgramming();
  QString text = QString::fromStdString(
      FormatMessage(TranslatedText(language_, "ImageToProgram").toStdString(), program.bytesInUse,
                    MemorySizeText(image_->memoryCode)));
  if (stale_) text += " " + TranslatedText(language_, "ImageStale");
  imageLabel_->setText(text);
  verifyTime_->setText(VerifyTimeText(language_, program));
}

std::vector<int> BatchProgrammingDialog::TickedRows() const {
  std::vector<int> rows;
  for (int row = 0; row < table_->rowCount(); ++row)
    if (table_->item(row, kPortColumn)->checkState() == Qt::Checked) rows.push_back(row);
  return rows;
}

void BatchProgrammingDialog::StartClicked() {
  if (Running() || Searching()) return;
  // As a single programming does: offer to build it again; not started stale.
  if (stale_ && prompter_ &&
      prompter_->AskYesNo({"ReBuild", windowTitle().toStdString(),
                           TranslatedText(language_, "ReBuild").toStdString()}) == Answer::Yes &&
      rebuild_)
    rebuild_();
  if (stale_ || TickedRows().empty()) return;
  startPending_ = true;
  batchRows_ = TickedRows();
  for (int row : batchRows_) {
    ShowStatus(row, BatchDeviceStatus{});
    table_->item(row, kStateColumn)->setToolTip({});
  }
  UpdateControls();
  StartWhenPortsFree();
}

void BatchProgrammingDialog::StartWhenPortsFree() {
  if (!startPending_) {  // stopped while it waited
    ShowBatchStopped();
    return;
  }
  if (portsBusy_ && portsBusy_()) {
    QTimer::singleShot(kPortsBusyRetryMs, this, &BatchProgrammingDialog::StartWhenPortsFree);
    return;
  }
  startPending_ = false;
  Launch();
  UpdateControls();
}

void BatchProgrammingDialog::Launch() {
  SilentPrompter silent;
  if (!OpenProductionLog(logFile_, language_, prompter_ ? *prompter_ : silent, log_)) {
    ShowBatchStopped();
    return;
  }
  std::vector<std::string> devices;
  for (int row : batchRows_) devices.push_back(devices_[static_cast<size_t>(row)]);
  BatchSetup setup{.image = image_,
                   .verify = verify_->isChecked(),
                   .programOtherInterface = otherInterface_->isChecked(),
                   .interfaces = interfaces_,
                   .log = log_.get()};
  // The rows hold each device once, so the batch never refuses them.
  batch_ =
      std::make_unique<BatchProgramming>(std::move(devices), std::move(setup), language_, *relay_);
}

void BatchProgrammingDialog::ShowBatchStopped() {
  BatchDeviceStatus stopped;
  stopped.state = BatchState::Stopped;
  for (int row : batchRows_) ShowStatus(row, stopped);
}

void BatchProgrammingDialog::ShowStatus(int row, const BatchDeviceStatus& status) {
  const bool failed = status.state == BatchState::Failed;
  QString state = StateText(language_, status.state);
  if (failed && !status.message.empty()) state = QString::fromStdString(status.message);
  // Declined without a word: the batch answers that question itself.
  if (failed && status.message.empty() &&
      status.result.outcome == TransferOutcome::InterfaceDeclined)
    state = TranslatedText(language_, "InterfaceDeclined");
  QTableWidgetItem* stateItem = table_->item(row, kStateColumn);
  stateItem->setText(state);
  if (failed) stateItem->setToolTip(PlainToolTip(state));
  static_cast<QProgressBar*>(table_->cellWidget(row, kProgressColumn))->setValue(status.percent);
  table_->item(row, kErrorsColumn)->setText(QString::number(status.errors));
  table_->item(row, kTimeColumn)
      ->setText(QString::fromStdString(MinutesAndSeconds(status.elapsed)));
  // A failure's reason (the place of a verify failure) is shown whole.
  table_->resizeRowToContents(row);
}

void BatchProgrammingDialog::EndBatch() {
  if (!batch_) return;
  const std::vector<BatchDeviceStatus> statuses = batch_->Wait();
  for (size_t i = 0; i < statuses.size() && i < batchRows_.size(); ++i)
    ShowStatus(batchRows_[i], statuses[i]);
  const bool logFailed = batch_->LogFailed();
  batch_.reset();
  log_.reset();
  UpdateControls();
  if (logFailed && prompter_) WarnLogUnwritable(logFile_, language_, *prompter_);
  emit BatchFinished();
}

void BatchProgrammingDialog::SearchClicked() {
  if (Running() || Searching() || table_->rowCount() == 0) return;
  searchPending_ = true;
  for (int row = 0; row < table_->rowCount(); ++row)
    table_->item(row, kStateColumn)->setText(StateText(language_, BatchState::Detecting));
  UpdateControls();
  SearchWhenPortsFree();
}

void BatchProgrammingDialog::SearchWhenPortsFree() {
  if (portsBusy_ && portsBusy_()) {
    QTimer::singleShot(kPortsBusyRetryMs, this, &BatchProgrammingDialog::SearchWhenPortsFree);
    return;
  }
  searchPending_ = false;
  searching_ = table_->rowCount();
  // Each port on its own thread: a port without an announcer costs its
  // time-outs, and they add up one after another.
  for (int row = 0; row < table_->rowCount(); ++row) {
    searches_.emplace_back([this, row, device = devices_[static_cast<size_t>(row)]] {
      const bool found = AnnouncerAnswers(device);
      QMetaObject::invokeMethod(
          this, [this, row, found] { SearchEnded(row, found); }, Qt::QueuedConnection);
    });
  }
}

void BatchProgrammingDialog::SearchEnded(int row, bool found) {
  table_->item(row, kPortColumn)->setCheckState(found ? Qt::Checked : Qt::Unchecked);
  table_->item(row, kStateColumn)
      ->setText(TranslatedText(language_, found ? "SpeakerDetected" : "SpeakerNotDetected"));
  if (--searching_ > 0) return;
  for (std::thread& search : searches_) search.join();  // each has posted its last word
  searches_.clear();
  UpdateControls();
}

void BatchProgrammingDialog::UpdateControls() {
  const bool idle = !Running() && !Searching() && !searchPending_;
  start_->setEnabled(idle && !TickedRows().empty());
  stop_->setEnabled(Running());
  for (QWidget* control : {static_cast<QWidget*>(detect_), static_cast<QWidget*>(add_),
                           static_cast<QWidget*>(devicePath_), static_cast<QWidget*>(close_),
                           static_cast<QWidget*>(verify_), static_cast<QWidget*>(otherInterface_)})
    control->setEnabled(idle);
}

void BatchProgrammingDialog::done(int result) {
  // Workers report to the rows, and the batch uses the program's translator.
  if (Running() || Searching() || searchPending_) return;
  CaptionedDialog::done(result);
}

}  // namespace liftvox
