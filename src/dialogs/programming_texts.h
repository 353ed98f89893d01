#pragma once

#include <QString>

#include <filesystem>
#include <memory>

#include "commands/batch_programming.h"

namespace liftvox {

class Prompter;
class ProductionLog;
class Translator;

// Texts and steps the two programming dialogs share.

// What a run is doing or how it ended: "Čeká", "Detekce...", "Zápis",
// "Ověřování", "Hotovo", "Chyba", "Zastaveno".
QString StateText(const Translator& translator, BatchState state);

// That verifying doubles the time, with the minutes (m:ss) that `image`
// takes on the line to write, and to write and verify.
QString VerifyTimeText(const Translator& translator, const ProgramImage& image);

// Opens the production log at `file` into `log` (leaves it empty for an
// empty path). False, after telling the user ("UnableWriteFile"), when it
// cannot be opened: then nothing may be programmed without its record.
bool OpenProductionLog(const std::filesystem::path& file, const Translator& translator,
                       Prompter& prompter, std::unique_ptr<ProductionLog>& log);
// Tells the user that the log cannot be written ("UnableWriteFile").
void WarnLogUnwritable(const std::filesystem::path& file, const Translator& translator,
                       Prompter& prompter);

}  // namespace liftvox
