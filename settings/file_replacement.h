#pragma once
// Whole-file reads and atomic replacement of small files, for the settings file.

#include <optional>
#include <string>

// How far a replacement goes before it counts as done.
enum class Durability {
    // Write a temporary file beside the target and rename it over the target: a killed process
    // leaves the old file or the new one.
    Rename,
    // The same, with the temporary file's data flushed to the disk before the rename, so that a
    // crash of the whole system cannot leave an empty or partial file under the target's name.
    FlushThenRename
};

// The bytes of a file; nullopt when it does not exist. Throws std::system_error when the file
// exists but cannot be read, so a caller never mistakes an unreadable file for a missing one.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Whether writing to the file (or creating it in its folder) is refused: the file or, for a new
// file, its folder lacks the owner's write permission or the process may not write there. Mode
// bits count even for root, as a read-only attribute would.
bool IsWriteProtected(const std::string& path);

// Replaces the file's contents atomically: the file holds either its old bytes or `bytes`, at
// every moment and after a kill. Keeps the file's permission bits (and owner, where allowed) and
// writes through a symbolic link to its target. False, with the file untouched and no temporary
// file left behind, when the file is write-protected or any step fails (disk full, ...).
//
// Settings writes use Rename. Measured on ext4 for a 140-key file, a flush costs about ten times
// the rest of a write (about 8 ms against 0.7 ms), which would make the dialog's save of some 130
// keys take a second; without it the save takes about 0.1 s. A killed process still leaves the old
// file or the new one, and ext4 (auto_da_alloc, the default) writes a file renamed over another
// before it commits the rename, so even a system crash finds one or the other.
bool ReplaceFile(const std::string& path, const std::string& bytes,
                 Durability durability = Durability::Rename);
