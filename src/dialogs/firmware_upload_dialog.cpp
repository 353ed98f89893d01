#include "dialogs/firmware_upload_dialog.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "config/paths.h"
#include "lang/caption_names.h"
#include "ui/caption_table.h"

namespace liftvox {
namespace {

namespace ids = caption_id::firmware_upload;

}  // namespace

TNahrajFirmwareForm::TNahrajFirmwareForm(AnnouncerSession& session, QWidget* parent)
    : DeviceProgressDialog("TNahrajFirmwareForm", true, session, parent),
      file_(AddStatusRow()),
      port_(AddPortRow()) {}

void TNahrajFirmwareForm::RegisterCaptions(CaptionTable& captions) {
  const auto label = [&captions](int id, QLabel* shown) {
    captions.Add(id, [shown](const QString& text) { shown->setText(text); });
  };
  captions.Add(ids::kTitle, [this](const QString& text) { setWindowTitle(text); });
  captions.Add(ids::kStatusGroup, [this](const QString& text) { StatusGroup()->setTitle(text); });
  label(ids::kFileLabel, file_.label);
  label(ids::kPortLabel, port_.label);
  label(ids::kProgressLabel, ProgressLabel());
  captions.AddCaption(ids::kStart, StartButton());
  captions.AddCaption(ids::kClose, CloseButton());
}

void TNahrajFirmwareForm::SetFileName(const QString& fileName) {
  fileName_ = fileName;
  file_.value->setText(QFileInfo(fileName).fileName());
}

QString TNahrajFirmwareForm::FileText() const { return file_.value->text(); }

void TNahrajFirmwareForm::StartJob() {
  if (JobRunning()) return;
  lastResult_ = FirmwareResult{};
  StartRun([this, file = PathFromUtf8(fileName_.toStdString()), timing = timing_](
               Prompter& prompter, DeviceJobObserver& observer) -> DeviceJobRunner::Completion {
    // The port is chosen afresh for every upload: the settings may have
    // changed since the last one.
    const int port = FirmwarePortChoice(session_, observer);
    const FirmwareResult result = UploadFirmware(session_, file, port, prompter, observer, timing);
    return [this, result] {
      lastResult_ = result;
      RunEnded(result.closeDialog);
    };
  });
}

}  // namespace liftvox
