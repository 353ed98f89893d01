#pragma once

#include <vector>

namespace liftvox {

class TPametRevazie;
class TSekvence;

// Gives each silence of the sequence the DIL entry of the first recording
// after it (0 when none follows); returns the DIL of the first recording.
int AttachSilencesToFollowingLanguage(TSekvence& sequence);

// A new order of the languages: DIL entry indices, first language first.

// Re-sorts one sequence's samples into `order`, keeping each silence with the
// language that follows it and samples of one language in their order.
void SeradJazyky(TSekvence& sequence, const std::vector<int>& order);

// SeradJazyky on every sequence; the document is marked changed.
void ApplyLanguageOrder(TPametRevazie& document, const std::vector<int>& order);

}  // namespace liftvox
