#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/job_progress.h"

namespace liftvox {

class IniSections;
class RecordingFinder;
class TPametRevazie;
class TVzorek;

// The longest configuration file that is read or written. At the maxima (256
// sequences of 4094 samples) the writer needs about 54 bytes a sample plus the
// sample's stored path: 57 MB, and 1 MB more for each character of the path.
// This holds the maxima with paths of 70 characters; a save that would write
// more is refused before any file is touched, so whatever is saved reads back.
inline constexpr std::uintmax_t kMaxConfigurationFileBytes = std::uintmax_t{128} << 20;

// Writes the configuration (format "2.00") into an INI object without
// flushing it. False when a DIL entry's icon is not among the icon names.
// Sample paths inside the folder of `configurationFile`, the file being
// written, are stored relative to it, all others relative to the program's
// folder (StoredSamplePath); the text an image keeps has no file (empty), as
// whoever reads it back has no configuration folder either.
bool WriteConfiguration(const TPametRevazie& document, IniSections& ini,
                        const std::filesystem::path& configurationFile);

// Whether `ini` holds a configuration at all: a general, legacy or DIL
// section, or a section with a key a sequence is written with. An empty file
// or any other text (a README, another program's INI file) does not.
bool IsConfigurationText(const IniSections& ini);

// Replaces the document's configuration by the one in `ini` (format "2.00"
// or the older "v1.01" layout). Text that is no configuration
// (IsConfigurationText) is refused with "BadFileFormat" before anything is
// asked or changed. Asks about unsaved changes first; false when
// that is cancelled (document unchanged), when the version is newer than 2.0
// (a message is shown, the document stays empty) or when reading fails
// (the document is emptied). Otherwise the document ends unmodified and the
// view is told once. Recordings are looked for by FinderForConfiguration
// without a file: relative sample paths resolve against the folder of the
// document's CurrentFileName first, then the program's folder. Names are
// cleaned as they enter (CleanSequenceName, CleanDilEntryName). What does not
// fit the limits is told once per kind when reading ends (ReadingNotes):
// sequences past kMaxSequences and samples past kMaxSamplesPerSequence are
// left out, silence lengths are clamped.
// The document's Recordings then list what was not found as stored; when some
// recordings were found elsewhere, one "RecordingsFoundElsewhere" information
// tells how many (the samples use those files, and a save writes them).
bool ReadConfiguration(TPametRevazie& document, const IniSections& ini);

// ReadConfiguration for the text of `configurationFile`: relative sample paths
// start from that file's folder, and what is not found is looked for in its
// folder tree (FinderForConfiguration).
bool ReadConfigurationFrom(TPametRevazie& document, const IniSections& ini,
                           const std::filesystem::path& configurationFile);

// The sample a configuration or wizard file describes: a silence of
// `storedSamples` brought into the range the program sets
// (ClampSilenceSamples), or the WAV at `storedPath` as `finder` locates it
// (recorded in the document's Recordings), with its length measured again
// when the document can (a stored length below 0 counts as 0).
std::unique_ptr<TVzorek> ReadStoredSample(TPametRevazie& document, RecordingFinder& finder,
                                          bool silence, std::string_view storedPath,
                                          int32_t storedSamples);

// The configuration file's bytes as a save would write them (the text an
// image stores); nullopt when WriteConfiguration fails.
std::optional<std::string> RenderConfigurationText(const TPametRevazie& document);

// Loads a configuration kept in a memory buffer: a 4-byte little-endian
// length L (text plus its terminating zero) followed by the text. A length
// that is not positive or reaches past the buffer is refused (false, nothing
// read or changed). Otherwise the document is read as by ReadConfiguration
// and then has no file name and is unmodified, unless the unsaved-changes
// question was cancelled or the text is no configuration: then it keeps its
// configuration, file name and unsaved mark.
bool LoadConfigurationFromBuffer(TPametRevazie& document, const uint8_t* buffer, std::size_t size);

// The open and save commands' file work, with their messages.
// Open: a missing or unreadable file shows "UnableLoadFile", one longer than
// kMaxConfigurationFileBytes "FileTooLarge" with the limit, one that holds no
// configuration "BadFileFormat" with its name; each leaves the document as
// it was. It reads as ReadConfigurationFrom the file. On success the document
// takes the path as its file name and is unmodified.
// `progress` hears the fraction of sections read, after each sequence; when it
// returns false, reading stops and the document is left empty, untitled and
// unmodified, without a message (the unsaved-changes question came first).
bool OpenConfiguration(TPametRevazie& document, const std::filesystem::path& path,
                       const JobProgress& progress = {});
// Save: writes the whole file anew through a temporary file, so a failed save
// leaves the old file intact and shows "UnableWriteFile"; a text longer than
// kMaxConfigurationFileBytes is refused with "ConfigurationTooLarge" before
// any file is touched. On success the document takes the path and is
// unmodified.
bool SaveConfiguration(TPametRevazie& document, const std::filesystem::path& path);

}  // namespace liftvox
