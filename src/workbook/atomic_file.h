#pragma once
// Every file the system writes goes to a temporary name in the target's folder first and is
// renamed into place only when it is complete, so a failed save leaves nothing half-written
// and an existing file is replaced in one step.
#include <filesystem>
#include <functional>
#include <string>

namespace tarn {

// Calls write(temporaryPath), which must create the complete file there, then renames it
// to `target`. On any failure the temporary file is removed and InputError says why,
// naming `target`.
void writeFileAtomically(const std::filesystem::path& target,
                         const std::function<void(const std::filesystem::path&)>& write);

// Writes `bytes` to `target` atomically.
void writeBytesAtomically(const std::filesystem::path& target, const std::string& bytes);

}  // namespace tarn
