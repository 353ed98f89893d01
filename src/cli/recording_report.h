#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "cli/cli_context.h"
#include "model/document.h"

namespace liftvox::cli {

// The recordings the samples use that were not found as stored, for `check`:
// "Recordings found elsewhere" with stored -> used lines (missing and
// ambiguous ones are among the problems); empty when there are none.
std::string RecordingReport(const TPametRevazie& document);

// The same for --json, missing and ambiguous ones included: one object per
// recording with its state, stored and used path, candidates and the indices
// of the sequences that use it.
nlohmann::ordered_json RecordingsJson(const TPametRevazie& document);

// liftvox-cli relink CONFIG.cfg --search DIR [--search DIR ...] -o OUT.cfg
void AddRelinkCommand(CLI::App& app, CliContext& context);

}  // namespace liftvox::cli
