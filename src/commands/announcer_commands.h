#pragma once

#include <cstdint>
#include <string>

#include "base/job_progress.h"
#include "image/image_settings.h"

namespace liftvox {

class TPametRevazie;

// The main window's device commands around their dialogs: the questions
// before a run and what happens to the document after one. The runs
// themselves are ProgramAnnouncer, ReadWholeMemory, ReadStoredConfiguration
// and UploadFirmware; questions go through the document's prompter.

// Before programming: offers to rebuild a stale image ("ReBuild"), then asks
// "ConfigurationUpLoad". Both questions carry the programming dialog's title
// (the window's translated caption). True when the dialog should open.
bool ConfirmProgramming(TPametRevazie& document, const ImageSettings& settings,
                        const std::string& dialogCaption = "Programování hlásiče");

// Its first half, for a caller that shows the build's progress and lets it be
// stopped: false when the rebuild failed or was stopped.
bool OfferRebuild(TPametRevazie& document, const ImageSettings& settings,
                  const std::string& dialogCaption, const JobProgress& progress);

// "ConfigurationUpLoad" alone, for an image that is ready (programming from
// a file). True on Yes.
bool ConfirmConfigurationUpload(TPametRevazie& document,
                                const std::string& dialogCaption = "Programování hlásiče");

// Before a firmware upload: "FirmwareUpLoad" under the upload dialog's title.
bool ConfirmFirmwareUpload(TPametRevazie& document,
                           const std::string& dialogCaption = "Nahraj do hlásiče nový software");

// After the whole memory was read into the document's image: the bytes in use
// become the used size; when the image carries a configuration, asks
// "MemoryIncludeConf" and loads it on Yes.
void FinishMemoryRead(TPametRevazie& document, const ImageSettings& settings, int64_t bytesInUse);

// After the stored configuration was read: loads it (bytes in use > 0), or
// says "UnableFindConf" (0; nothing is said for -1); then the image is built
// again from the document's configuration in every case.
void FinishConfigurationRead(TPametRevazie& document, const ImageSettings& settings,
                             int64_t bytesInUse);
// The first half of it, for a caller that records the load as an edit and
// builds afterwards: true when a configuration was loaded.
bool TakeReadConfiguration(TPametRevazie& document, const ImageSettings& settings,
                           int64_t bytesInUse);

}  // namespace liftvox
