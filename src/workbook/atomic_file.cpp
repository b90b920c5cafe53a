#include "workbook/atomic_file.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include "model/errors.h"

namespace tarn {

namespace fs = std::filesystem;

namespace {

fs::path temporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    fs::path dir = target.parent_path();
    std::string name = "." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) +
                       "-" + std::to_string(counter++);
    return dir.empty() ? fs::path(name) : dir / name;
}

}  // namespace

void writeFileAtomically(const fs::path& target,
                         const std::function<void(const fs::path&)>& write) {
    if (target.empty()) throw InputError("No file name was given to save to");
    const fs::path dir = target.parent_path();
    std::error_code ec;
    if (!dir.empty() && !fs::is_directory(dir, ec))
        throw InputError("Cannot write " + target.string() + ": the folder " + dir.string() +
                         " does not exist");
    if (fs::is_directory(target, ec))
        throw InputError("Cannot write " + target.string() + ": it is a folder");
    const fs::path temporary = temporaryBeside(target);
    try {
        write(temporary);
        // Push the data to disk before the rename makes it the file of record.
        if (FILE* f = std::fopen(temporary.c_str(), "rb")) {
            ::fsync(fileno(f));
            std::fclose(f);
        } else {
            throw InputError("Cannot write " + target.string() + ": " + std::strerror(errno));
        }
        fs::rename(temporary, target);
    } catch (const InputError&) {
        fs::remove(temporary, ec);
        throw;
    } catch (const std::exception& e) {
        fs::remove(temporary, ec);
        throw InputError("Cannot write " + target.string() + ": " + e.what());
    }
}

void writeBytesAtomically(const fs::path& target, const std::string& bytes) {
    writeFileAtomically(target, [&](const fs::path& temporary) {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw InputError("Cannot write " + target.string() + ": " + std::strerror(errno));
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        if (!out) throw InputError("Cannot write " + target.string() + ": the disk may be full");
    });
}

}  // namespace tarn
