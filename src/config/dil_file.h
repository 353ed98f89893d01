#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/dil_entry.h"

namespace liftvox {

class IniSections;
class TPametRevazie;

// One DIL line's value "pattern,ICON.BMP": the name is cleaned
// (CleanDilEntryName); the icon name is the text after
// the first comma (the whole value without one), trimmed and upper-cased;
// the pattern is the text before it, trimmed, as an integer (low 16 bits), 0
// when it is not one or there is no comma. `Icon` is the name's position in
// `iconNames`, or `unknownIcon` when it is not there.
DilEntry ParseDilLine(std::string_view name, std::string_view value,
                      const std::vector<std::string>& iconNames, int unknownIcon);

// The entries of a DIL section in file order.
std::vector<DilEntry> ReadDilSection(const IniSections& ini, std::string_view section,
                                     const std::vector<std::string>& iconNames, int unknownIcon);
// One line per entry, keyed by its cleaned name; a name already written
// (letter case aside) gets " (2)", " (3)", ... so that every entry reads back
// in its place. False (stopping there) at an entry whose icon is not among
// `iconNames`.
bool WriteDilSection(IniSections& ini, std::string_view section,
                     const std::vector<DilEntry>& entries,
                     const std::vector<std::string>& iconNames);

// A .DIL file replaces the document's DIL entry list (samples keep their
// indices) and marks the document changed; start-up, which loads Default.DIL
// into the new document, clears the mark again. Missing file:
// "UnableLoadFile" and nothing changes.
bool LoadDilFile(TPametRevazie& document, const std::filesystem::path& path);
// Writes the list anew through a temporary file; "UnableWriteFile" on failure.
bool SaveDilFile(TPametRevazie& document, const std::filesystem::path& path);

}  // namespace liftvox
