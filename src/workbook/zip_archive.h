#pragma once
// Zip archives (the container of .xlsx files) on libzip: reading the parts of an archive
// held in memory, and writing a new archive whose parts are either copied unchanged from
// another archive or given as bytes.
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct zip;

namespace tarn {

class ZipReader {
public:
    // Opens the archive in `bytes`; `name` is the file name used in messages. Throws
    // InputError when the bytes are not a zip archive.
    ZipReader(std::string bytes, std::string name);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    std::vector<std::string> names() const;
    bool contains(const std::string& part) const;
    // The uncompressed part; no value when the archive has no such part. Throws InputError
    // when the part cannot be inflated.
    std::optional<std::string> read(const std::string& part) const;

    zip* handle() const { return archive_; }
    const std::string& name() const { return name_; }

private:
    std::string bytes_;
    std::string name_;
    zip* archive_ = nullptr;
};

class ZipWriter {
public:
    // Adds `part` copied unchanged (still compressed) from `source`.
    void copy(const ZipReader& source, const std::string& part);
    // Adds `part` with the given content; a large part may ask for fast compression.
    void add(const std::string& part, std::string content, bool fastCompression = false);
    // Writes the archive to `target` atomically. The sources copied from must stay open
    // until then.
    void save(const std::filesystem::path& target) const;

private:
    struct Entry {
        std::string part;
        const ZipReader* source = nullptr;
        std::size_t content = 0;  // index into contents_ when source is null
        bool fast = false;
    };
    std::vector<Entry> entries_;
    std::deque<std::string> contents_;
};

// Reads a whole file into memory; throws InputError naming the file when it cannot.
std::string readWholeFile(const std::filesystem::path& path);

}  // namespace tarn
