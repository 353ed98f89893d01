#include "dialogs/programming_dialog.h"

#include <QCheckBox>
#include <QLabel>

#include <chrono>

#include "commands/production_log.h"
#include "dialogs/programming_texts.h"
#include "lang/caption_names.h"
#include "ui/caption_table.h"
#include "ui/translated_text.h"

namespace liftvox {
namespace {

namespace ids = caption_id::programming;
constexpr TransferCaptionIds kCaptionIds{ids::kTitle,     ids::kStatusGroup, ids::kProgressLabel,
                                         ids::kPortLabel, ids::kPortValue,   ids::kErrorCountLabel,
                                         ids::kStart,     ids::kClose};

bool ProgramAgain(Prompter& prompter, const Translator& language) {
  return prompter.AskYesNo({"ProgramAgain",
                            TranslatedText(language, "SoundUploading").toStdString(),
                            TranslatedText(language, "ProgramAgain").toStdString()}) == Answer::Yes;
}

}  // namespace

TNahrajZvukyForm::TNahrajZvukyForm(AnnouncerSession& session, QWidget* parent)
    : TransferDialog("TNahrajZvukyForm", kCaptionIds, session, parent),
      image_(std::make_shared<const ImageToProgram>()),
      activity_(AddStatusRow()),
      verify_(new QCheckBox(this)),
      verifyTime_(new QLabel(this)) {
  verifyTime_->setWordWrap(true);
  AddBelowStatus(verify_);
  AddBelowStatus(verifyTime_);
  connect(runner_, &DeviceJobRunner::PhaseChanged, this, [this](TransferPhase phase) {
    activity_.value->setText(StateText(session_.Language(), phase == TransferPhase::Writing
                                                                ? BatchState::Writing
                                                                : BatchState::Verifying));
  });
  ShowVerifyTime();
}

void TNahrajZvukyForm::RegisterCaptions(CaptionTable& captions) {
  TransferDialog::RegisterCaptions(captions);
  captions.AddCaption(ids::kVerify, verify_);
  captions.Add(ids::kActivityLabel,
               [this](const QString& text) { activity_.label->setText(text); });
}

void TNahrajZvukyForm::TranslateLists(const Translator&) { ShowVerifyTime(); }

void TNahrajZvukyForm::SetImage(ImageToProgram image) {
  if (JobRunning()) return;
  image_ = std::make_shared<const ImageToProgram>(std::move(image));
  ShowVerifyTime();
}

QString TNahrajZvukyForm::VerifyTimeNote() const { return verifyTime_->text(); }
QString TNahrajZvukyForm::ActivityText() const { return activity_.value->text(); }

void TNahrajZvukyForm::ShowVerifyTime() {
  verifyTime_->setText(VerifyTimeText(session_.Language(), image_->ForProgramming()));
}

void TNahrajZvukyForm::StartJob() {
  if (!JobRunning()) activity_.value->clear();
  TransferDialog::StartJob();
}

DeviceJobRunner::Job TNahrajZvukyForm::Transfer() {
  // The worker keeps its own reference: a new image for the next run does
  // not pull this one from under it.
  const ProgramOptions options{.verify = verify_->isChecked()};
  return [this, image = image_, options, logFile = logFile_](
             Prompter& prompter, DeviceJobObserver& observer) -> DeviceJobRunner::Completion {
    const Translator& language = session_.Language();
    std::unique_ptr<ProductionLog> log;
    TransferResult result;
    result.outcome = TransferOutcome::Abandoned;
    if (OpenProductionLog(logFile, language, prompter, log)) {
      const ProgramImage program = image->ForProgramming();
      const std::string digest = log ? WrittenPagesSha256(program) : std::string();
      do {
        observer.ErrorCountChanged(0);
        const auto start = std::chrono::steady_clock::now();
        result = ProgramAnnouncer(session_, program, prompter, observer, options);
        const auto duration = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        const std::string port = result.port > 0 ? session_.Port().PortLabel(result.port) : "";
        if (log &&
            !log->Append(RecordOfRun(port, result, program, digest, options.verify, duration)))
          WarnLogUnwritable(logFile, language, prompter);
      } while (result.outcome == TransferOutcome::VerifyFailed && ProgramAgain(prompter, language));
    }
    return [this, result] { Ended(result); };
  };
}

}  // namespace liftvox
