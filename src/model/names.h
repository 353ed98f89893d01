#pragma once

#include <string>
#include <string_view>

namespace liftvox {

// Names are saved in INI lines (configuration and DIL files, and the text an
// image stores): a sequence name as a value ("Name=..."), a DIL entry name as
// a key ("Čeština=65280,CZ.BMP"). These give the name to keep for what a
// user typed, pasted or a file held, so that a save reads back the same.
// Everything that puts a name into the document passes it through them.

// A line break would end the value early, a zero byte would end the text an
// image stores, and a bidirectional control would show the name and what
// follows it back to front: each run of control characters (U+0000..U+001F,
// U+007F, U+0080..U+009F, U+202A..U+202E, U+2066..U+2069) becomes one blank.
// Everything else a line holds is kept, surrounding blanks included.
std::string CleanSequenceName(std::string_view name);

// A key ends at the first '=', and a line that starts with ';' is a comment
// or with '[' a section to many INI readers (the wizard's and older
// programs'), which also drop blanks around a key. So, after the control
// characters as above: '=' becomes '-', and leading ';', '[' and blanks and
// trailing blanks are dropped. The name may end up empty, which is stored.
// Two entries whose names differ only in letter case are told apart when the
// list is written (see WriteDilSection).
std::string CleanDilEntryName(std::string_view name);

}  // namespace liftvox
