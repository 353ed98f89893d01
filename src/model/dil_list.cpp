#include "model/dil_list.h"

#include <utility>

#include "model/document.h"
#include "model/names.h"

namespace liftvox {
namespace {

template <typename Change>
void ForEachSample(TPametRevazie& document, Change change) {
  for (auto& sequence : document.SequenceList)
    for (auto& sample : sequence->SampleList) change(*sample);
}

// Samples show their entry, so the whole document is redrawn.
void Changed(TPametRevazie& document) {
  document.MarkChanged();
  document.NotifyContentChanged();
}

// Sets one field of entry k when it differs.
template <typename Field, typename Value>
void SetField(TPametRevazie& document, int k, Field DilEntry::*field, Value value) {
  if (k < 0 || k >= static_cast<int>(document.DilEntries.size())) return;
  Field& current = document.DilEntries[static_cast<std::size_t>(k)].*field;
  if (current == value) return;
  current = std::move(value);
  Changed(document);
}

}  // namespace

int AddDilEntry(TPametRevazie& document) {
  document.DilEntries.push_back(
      {CleanDilEntryName(document.Translate("NewDILSettings", "Nastavení")), 0, 0});
  Changed(document);
  return static_cast<int>(document.DilEntries.size()) - 1;
}

void DeleteDilEntry(TPametRevazie& document, int k) {
  if (k < 0 || k >= static_cast<int>(document.DilEntries.size())) return;
  ForEachSample(document, [k](TVzorek& sample) {
    if (sample.DIL == k) sample.DIL = 0;
    if (sample.DIL > k) --sample.DIL;
  });
  document.DilEntries.erase(document.DilEntries.begin() + k);
  Changed(document);
}

void MoveDilEntry(TPametRevazie& document, int from, int to) {
  const int count = static_cast<int>(document.DilEntries.size());
  if (from < 0 || from >= count || to < 0 || to >= count || from == to) return;
  ForEachSample(document, [from, to](TVzorek& sample) {
    if (sample.DIL == from)
      sample.DIL = to;
    else if (from < to && sample.DIL > from && sample.DIL <= to)
      --sample.DIL;
    else if (from > to && sample.DIL >= to && sample.DIL < from)
      ++sample.DIL;
  });
  DilEntry moving = document.DilEntries[static_cast<std::size_t>(from)];
  document.DilEntries.erase(document.DilEntries.begin() + from);
  document.DilEntries.insert(document.DilEntries.begin() + to, std::move(moving));
  Changed(document);
}

void RenameDilEntry(TPametRevazie& document, int k, std::string_view name) {
  SetField(document, k, &DilEntry::Name, CleanDilEntryName(name));
}

void SetDilEntryIcon(TPametRevazie& document, int k, int32_t icon) {
  SetField(document, k, &DilEntry::Icon, icon);
}

void SetDilEntryPattern(TPametRevazie& document, int k, uint16_t pattern) {
  SetField(document, k, &DilEntry::Pattern, pattern);
}

}  // namespace liftvox
