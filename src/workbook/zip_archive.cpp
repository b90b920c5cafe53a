#include "workbook/zip_archive.h"

#include <zip.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "model/errors.h"
#include "workbook/atomic_file.h"

namespace tarn {

namespace fs = std::filesystem;

ZipReader::ZipReader(std::string bytes, std::string name)
    : bytes_(std::move(bytes)), name_(std::move(name)) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes_.data(), bytes_.size(), 0, &error);
    if (source) {
        archive_ = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
        if (!archive_) zip_source_free(source);
    }
    if (!archive_) {
        const std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw InputError(name_ + " is not a workbook (" + reason + ")");
    }
    zip_error_fini(&error);
}

ZipReader::~ZipReader() {
    if (archive_) zip_discard(archive_);
}

std::vector<std::string> ZipReader::names() const {
    std::vector<std::string> result;
    const zip_int64_t n = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < n; ++i)
        if (const char* entry = zip_get_name(archive_, zip_uint64_t(i), 0)) result.emplace_back(entry);
    return result;
}

bool ZipReader::contains(const std::string& part) const {
    return zip_name_locate(archive_, part.c_str(), 0) >= 0;
}

std::optional<std::string> ZipReader::read(const std::string& part) const {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(archive_, part.c_str(), 0, &st) != 0) return std::nullopt;
    const auto broken = [&] { return InputError(name_ + ": the part " + part + " is damaged"); };
    // The size comes from the archive and may lie; never trust it beyond a sane bound.
    constexpr zip_uint64_t kMaxPart = zip_uint64_t(512) << 20;  // far above any real sheet
    if (!(st.valid & ZIP_STAT_SIZE) || st.size > kMaxPart) throw broken();
    zip_file_t* file = zip_fopen(archive_, part.c_str(), 0);
    if (!file) throw broken();
    std::string content(std::size_t(st.size), '\0');
    zip_uint64_t done = 0;
    while (done < st.size) {
        const zip_int64_t got = zip_fread(file, content.data() + done, st.size - done);
        if (got <= 0) {
            zip_fclose(file);
            throw broken();
        }
        done += zip_uint64_t(got);
    }
    zip_fclose(file);
    return content;
}

void ZipWriter::copy(const ZipReader& source, const std::string& part) {
    entries_.push_back({part, &source, 0, false});
}

void ZipWriter::add(const std::string& part, std::string content, bool fastCompression) {
    contents_.push_back(std::move(content));
    entries_.push_back({part, nullptr, contents_.size() - 1, fastCompression});
}

void ZipWriter::save(const fs::path& target) const {
    writeFileAtomically(target, [&](const fs::path& temporary) {
        int code = 0;
        zip_t* out = zip_open(temporary.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
        if (!out) {
            zip_error_t error;
            zip_error_init_with_code(&error, code);
            const std::string reason = zip_error_strerror(&error);
            zip_error_fini(&error);
            throw InputError("Cannot write " + target.string() + ": " + reason);
        }
        auto fail = [&](const std::string& what) {
            const std::string reason = zip_strerror(out);
            zip_discard(out);
            return InputError("Cannot write " + target.string() + ": " + what + " (" + reason + ")");
        };
        for (const Entry& e : entries_) {
            zip_source_t* src = nullptr;
            if (e.source) {
                const zip_int64_t index = zip_name_locate(e.source->handle(), e.part.c_str(), 0);
                if (index < 0) throw fail(e.part + " is missing from the source");
                src = zip_source_zip(out, e.source->handle(), zip_uint64_t(index), 0, 0, -1);
            } else {
                const std::string& content = contents_[e.content];
                src = zip_source_buffer(out, content.data(), content.size(), 0);
            }
            if (!src) throw fail(e.part);
            const zip_int64_t index = zip_file_add(out, e.part.c_str(), src, ZIP_FL_ENC_UTF_8);
            if (index < 0) {
                zip_source_free(src);
                throw fail(e.part);
            }
            if (!e.source)
                zip_set_file_compression(out, zip_uint64_t(index), ZIP_CM_DEFLATE, e.fast ? 1 : 6);
        }
        if (zip_close(out) != 0) throw fail("the archive could not be completed");
    });
}

std::string readWholeFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) throw InputError(path.string() + ": no such file");
    if (fs::is_directory(path, ec)) throw InputError(path.string() + " is a folder, not a workbook");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError(path.string() + ": cannot be read (" + std::strerror(errno) + ")");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw InputError(path.string() + ": cannot be read");
    return bytes;
}

}  // namespace tarn
