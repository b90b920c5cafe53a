#pragma once
// Every file the system writes goes to a temporary name in the target's folder first and is
// renamed into place only when it is complete, so a failed save leaves nothing half-written
// and an existing file is replaced in one step.
#include <filesystem>
#include <functional>
#include <string>

namespace tarn {

// Calls write(temporaryPath), which must write the complete file there (it exists, empty,
// created exclusively with the permissions of the file it replaces), then renames it to
// `target`. On any failure the temporary file is removed and InputError says why,
// naming `target`.
void writeFileAtomically(const std::filesystem::path& target,
                         const std::function<void(const std::filesystem::path&)>& write);

// Whether two paths name one file: the same file when both exist (links and hard links
// included), else the same path once made absolute and resolved.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Writes `bytes` to `target` atomically.
void writeBytesAtomically(const std::filesystem::path& target, const std::string& bytes);

}  // namespace tarn
