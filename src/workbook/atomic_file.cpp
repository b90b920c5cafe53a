#include "workbook/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "model/errors.h"

namespace tarn {

namespace fs = std::filesystem;

namespace {

std::string reason() { return std::strerror(errno); }

// Creates an empty file of a new, unique name beside `target`, exclusively: a name that is
// already taken, by a file or by a planted link, is never opened. It takes the permissions
// of the file it will replace, or those of a new file.
fs::path createTemporaryBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const fs::path dir = target.parent_path();
    struct stat existing {};
    const bool replaces = ::stat(target.c_str(), &existing) == 0;
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-" +
                                 std::to_string(counter++) + "-" + std::to_string(random());
        const fs::path temporary = dir.empty() ? fs::path(name) : dir / name;
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            throw InputError("Cannot write " + target.string() + ": " + reason());
        }
        if (replaces) (void)::fchmod(fd, existing.st_mode & 07777);
        ::close(fd);
        return temporary;
    }
    throw InputError("Cannot write " + target.string() + ": no free temporary name in its folder");
}

}  // namespace

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code ec1, ec2;
    if (fs::exists(a, ec1) && fs::exists(b, ec2)) return fs::equivalent(a, b, ec1);
    const fs::path ca = fs::weakly_canonical(fs::absolute(a), ec1);
    const fs::path cb = fs::weakly_canonical(fs::absolute(b), ec2);
    return !ec1 && !ec2 && ca == cb;
}

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
    const fs::path temporary = createTemporaryBeside(target);
    try {
        write(temporary);
        // Push the data to disk before the rename makes it the file of record.
        if (FILE* f = std::fopen(temporary.c_str(), "rb")) {
            ::fsync(fileno(f));
            std::fclose(f);
        } else {
            throw InputError("Cannot write " + target.string() + ": " + reason());
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
        if (!out) throw InputError("Cannot write " + target.string() + ": " + reason());
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        if (!out) throw InputError("Cannot write " + target.string() + ": the disk may be full");
    });
}

}  // namespace tarn
