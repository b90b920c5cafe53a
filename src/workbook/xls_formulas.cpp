#include "workbook/xls_formulas.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>

#include "model/cell_address.h"
#include "model/errors.h"
#include "workbook/utf8.h"

namespace tarn {

namespace {

// Little-endian numbers; the caller has checked that the bytes are there.
std::uint16_t u16(std::string_view b, std::size_t at) {
    return std::uint16_t(std::uint8_t(b[at]) | unsigned(std::uint8_t(b[at + 1])) << 8);
}
std::uint32_t u32(std::string_view b, std::size_t at) {
    return std::uint32_t(u16(b, at)) | std::uint32_t(u16(b, at + 2)) << 16;
}
std::uint64_t u64(std::string_view b, std::size_t at) {
    return std::uint64_t(u32(b, at)) | std::uint64_t(u32(b, at + 4)) << 32;
}

struct Failure {
    const std::string& fileName;
    [[noreturn]] void operator()(const std::string& what) const {
        throw InputError(fileName + " is not a readable .xls workbook: " + what);
    }
};

// ---- The compound file container ------------------------------------------------------
// A header, then sectors of 512 or 4096 bytes. The sector table (FAT) chains the sectors of
// each stream; the sectors of the table itself are listed in the header and, beyond 109 of
// them, in a chain of index sectors. The directory names the streams. Streams shorter than
// the cut-off (4096 bytes) live in 64-byte mini sectors inside the root entry's stream,
// chained by the mini sector table.

constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;
constexpr std::size_t kMiniSector = 64;

struct DirEntry {
    std::string name;  // ASCII letters upper-cased, anything else as '?'
    std::uint8_t type = 0;  // 1 storage, 2 stream, 5 root
    std::uint32_t left = kNoEntry, right = kNoEntry, child = kNoEntry;
    std::uint32_t start = kEndOfChain;
    std::uint64_t size = 0;
};

class CompoundFile {
public:
    CompoundFile(std::string_view bytes, const Failure& fail) : bytes_(bytes), fail_(fail) {
        static constexpr unsigned char kMagic[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        if (bytes.size() < 512) fail_("the file is too short");
        if (!std::equal(kMagic, kMagic + 8, bytes.begin(),
                        [](unsigned char m, char b) { return m == static_cast<unsigned char>(b); }))
            fail_("the compound file signature is missing");
        if (u16(bytes, 0x1C) != 0xFFFE) fail_("the byte order mark is wrong");
        const unsigned shift = u16(bytes, 0x1E);
        if (shift != 9 && shift != 12) fail_("the sector size is unknown");
        if (u16(bytes, 0x20) != 6) fail_("the mini sector size is unknown");
        sectorSize_ = std::size_t(1) << shift;
        if (bytes.size() <= sectorSize_) fail_("the file holds no sectors");
        // A last sector cut short still counts; reading past its end is refused below.
        sectorCount_ = (bytes.size() - 1) / sectorSize_;
        version3_ = shift == 9;
        cutoff_ = u32(bytes, 0x38);
        firstMiniFat_ = u32(bytes, 0x3C);

        const std::uint32_t fatSectors = u32(bytes, 0x2C);
        if (fatSectors > sectorCount_) fail_("the sector table is larger than the file");
        std::vector<std::uint32_t> fatIds;
        fatIds.reserve(fatSectors);
        for (std::size_t i = 0; i < 109 && fatIds.size() < fatSectors; ++i) fatIds.push_back(u32(bytes, 0x4C + 4 * i));
        std::uint32_t next = u32(bytes, 0x44);
        std::vector<bool> seen(sectorCount_);
        const std::size_t perIndexSector = sectorSize_ / 4 - 1;
        while (fatIds.size() < fatSectors) {
            if (next >= sectorCount_) fail_("the index of the sector table is cut short");
            if (seen[next]) fail_("the index of the sector table runs in a loop");
            seen[next] = true;
            const std::string_view s = sector(next);
            if (s.size() < sectorSize_) fail_("the index of the sector table is cut short");
            for (std::size_t i = 0; i < perIndexSector && fatIds.size() < fatSectors; ++i) fatIds.push_back(u32(s, 4 * i));
            next = u32(s, 4 * perIndexSector);
        }
        fat_.reserve(std::size_t(fatSectors) * (sectorSize_ / 4));
        for (const std::uint32_t id : fatIds) {
            if (id >= sectorCount_) fail_("the sector table lies outside the file");
            const std::string_view s = sector(id);
            for (std::size_t at = 0; at + 4 <= s.size(); at += 4) fat_.push_back(u32(s, at));
        }

        const std::string dir = chain(u32(bytes, 0x30), std::nullopt, "the directory");
        for (std::size_t at = 0; at + 128 <= dir.size(); at += 128) entries_.push_back(entryAt(dir, at));
        if (entries_.empty() || entries_[0].type != 5) fail_("the directory has no root entry");
    }

    // The stream named `name` (upper case) in the root storage, if there is one.
    std::optional<std::string> rootStream(std::string_view name) {
        std::vector<std::uint32_t> pending{entries_[0].child};
        std::vector<bool> seen(entries_.size());
        while (!pending.empty()) {
            const std::uint32_t id = pending.back();
            pending.pop_back();
            if (id >= entries_.size() || seen[id]) continue;
            seen[id] = true;
            const DirEntry& e = entries_[id];
            if (e.type == 2 && e.name == name) return streamOf(e);
            pending.push_back(e.left);
            pending.push_back(e.right);
        }
        return std::nullopt;
    }

private:
    std::string_view sector(std::uint32_t id) const {
        return bytes_.substr((std::size_t(id) + 1) * sectorSize_, sectorSize_);
    }

    DirEntry entryAt(std::string_view dir, std::size_t at) const {
        DirEntry e;
        const std::size_t nameBytes = u16(dir, at + 0x40);
        if (nameBytes >= 2 && nameBytes <= 64 && nameBytes % 2 == 0)
            for (std::size_t i = 0; i + 2 < nameBytes; i += 2) {
                const std::uint16_t ch = u16(dir, at + i);
                e.name += ch < 128 ? char(std::toupper(int(ch))) : '?';
            }
        e.type = std::uint8_t(dir[at + 0x42]);
        e.left = u32(dir, at + 0x44);
        e.right = u32(dir, at + 0x48);
        e.child = u32(dir, at + 0x4C);
        e.start = u32(dir, at + 0x74);
        // Old writers leave garbage in the upper half of the size in 512-byte-sector files.
        e.size = version3_ ? u32(dir, at + 0x78) : u64(dir, at + 0x78);
        return e;
    }

    // The first `size` bytes of the sector chain from `start`, or the whole chain when the
    // size is not known.
    std::string chain(std::uint32_t start, std::optional<std::uint64_t> size, const std::string& what) const {
        std::string out;
        std::vector<bool> seen(fat_.size());
        std::uint32_t id = start;
        while (!size || out.size() < *size) {
            if (id == kEndOfChain && !size) break;
            if (id == kEndOfChain) fail_(what + " is cut short");
            if (id >= sectorCount_ || id >= fat_.size()) fail_(what + " lies outside the file");
            if (seen[id]) fail_(what + " runs in a loop");
            seen[id] = true;
            std::string_view s = sector(id);
            const std::size_t wanted = size ? std::size_t(std::min<std::uint64_t>(sectorSize_, *size - out.size())) : sectorSize_;
            if (s.size() < wanted) fail_(what + " is cut short");
            out.append(s.substr(0, wanted));
            id = fat_[id];
        }
        return out;
    }

    std::string miniChain(std::uint32_t start, std::uint64_t size, const std::string& what) {
        if (!miniLoaded_) {
            const DirEntry& root = entries_[0];
            if (root.size > bytes_.size()) fail_("the mini stream is larger than the file");
            miniStream_ = chain(root.start, root.size, "the mini stream");
            const std::string table = chain(firstMiniFat_, std::nullopt, "the mini sector table");
            for (std::size_t at = 0; at + 4 <= table.size(); at += 4) miniFat_.push_back(u32(table, at));
            miniLoaded_ = true;
        }
        std::string out;
        std::vector<bool> seen(miniFat_.size());
        std::uint32_t id = start;
        while (out.size() < size) {
            if (id == kEndOfChain) fail_(what + " is cut short");
            if (id >= miniFat_.size() || std::size_t(id) * kMiniSector >= miniStream_.size())
                fail_(what + " lies outside the mini stream");
            if (seen[id]) fail_(what + " runs in a loop");
            seen[id] = true;
            const std::size_t wanted = std::size_t(std::min<std::uint64_t>(kMiniSector, size - out.size()));
            const std::string_view piece = std::string_view(miniStream_).substr(std::size_t(id) * kMiniSector, wanted);
            if (piece.size() < wanted) fail_(what + " is cut short");
            out.append(piece);
            id = miniFat_[id];
        }
        return out;
    }

    std::string streamOf(const DirEntry& e) {
        const std::string what = "the workbook stream";
        if (e.size > bytes_.size()) fail_(what + " is larger than the file");
        if (e.size < cutoff_) return miniChain(e.start, e.size, what);
        return chain(e.start, e.size, what);
    }

    std::string_view bytes_;
    const Failure& fail_;
    std::size_t sectorSize_ = 512;
    std::size_t sectorCount_ = 0;
    bool version3_ = true;
    std::uint32_t cutoff_ = 4096;
    std::uint32_t firstMiniFat_ = kEndOfChain;
    std::vector<std::uint32_t> fat_;
    std::vector<DirEntry> entries_;
    bool miniLoaded_ = false;
    std::string miniStream_;
    std::vector<std::uint32_t> miniFat_;
};

// ---- BIFF records -----------------------------------------------------------------------

namespace rec {
constexpr std::uint16_t Formula = 0x0006, Eof = 0x000A, DateMode = 0x0022, FilePass = 0x002F,
                        Continue = 0x003C, BoundSheet = 0x0085, Xf = 0x00E0, Format5 = 0x001E,
                        String = 0x0207, Array = 0x0221, Table = 0x0236, SharedFormula = 0x04BC,
                        Format8 = 0x041E, Bof = 0x0809;
}

struct Record {
    std::uint16_t type = 0;
    std::string_view body;
    std::size_t next = 0;  // where the following record starts
};

std::string utf8OfUtf16(const std::vector<std::uint16_t>& units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t u = units[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u < 0xE000) {
            appendUtf8(out, 0xFFFD);  // a lone surrogate
        } else {
            appendUtf8(out, u);
        }
    }
    return out;
}

std::string errorText(std::uint8_t code) {
    switch (code) {
        case 0x00: return "#NULL!";
        case 0x07: return "#DIV/0!";
        case 0x0F: return "#VALUE!";
        case 0x17: return "#REF!";
        case 0x1D: return "#NAME?";
        case 0x24: return "#NUM!";
        case 0x2A: return "#N/A";
        case 0x2B: return "#GETTING_DATA";
        default: return "#N/A";
    }
}

class BiffReader {
public:
    BiffReader(std::string_view stream, const std::string& fileName, const Failure& fail)
        : s_(stream), fileName_(fileName), fail_(fail) {}

    XlsFormulaResults read() {
        Record r = recordAt(0);
        if (r.type != rec::Bof || r.body.size() < 2) fail_("the workbook stream does not start with a BOF record");
        const std::uint16_t version = u16(r.body, 0);
        if (version != 0x0600 && version != 0x0500) fail_("BIFF version " + std::to_string(version) + " is not supported");
        biff8_ = version == 0x0600;
        struct Sheet {
            std::uint32_t at;
            int index;
            std::string name;
        };
        std::optional<Sheet> firstAt, visibleAt;
        int sheets = 0;
        for (std::size_t pos = r.next; pos < s_.size();) {
            r = recordAt(pos);
            pos = r.next;
            if (r.type == rec::Eof) break;
            switch (r.type) {
                case rec::FilePass: throw InputError(passwordProtectedText(fileName_));
                case rec::DateMode:
                    if (r.body.size() >= 2) results_.date1904 = u16(r.body, 0) == 1;
                    break;
                case rec::Format8:
                case rec::Format5:
                    if ((r.type == rec::Format8) == biff8_) readFormat(r.body);
                    break;
                case rec::Xf:
                    if (r.body.size() < 4) fail_("an XF record is cut short");
                    xfFormats_.push_back(u16(r.body, 2));
                    break;
                case rec::BoundSheet: {
                    if (r.body.size() < 6) fail_("a BOUNDSHEET record is cut short");
                    // Visibility (0 visible, 1 hidden, 2 very hidden) and kind (0 worksheet).
                    const bool visibleWorksheet = (std::uint8_t(r.body[4]) & 0x03) == 0 && std::uint8_t(r.body[5]) == 0;
                    if (!firstAt || (visibleWorksheet && !visibleAt)) {
                        const std::string name = readString({r.body.substr(6)}, true, "a BOUNDSHEET record");
                        if (!firstAt) firstAt = Sheet{u32(r.body, 0), sheets, name};
                        if (visibleWorksheet) visibleAt = Sheet{u32(r.body, 0), sheets, name};
                    }
                    ++sheets;
                    break;
                }
                default: break;
            }
        }
        if (!firstAt) throw InputError(fileName_ + " has no worksheet");
        const Sheet& sheet = visibleAt ? *visibleAt : *firstAt;
        results_.sheetIndex = sheet.index;
        results_.sheetName = sheet.name;
        readSheet(sheet.at);
        return std::move(results_);
    }

private:
    Record recordAt(std::size_t pos) const {
        if (s_.size() - pos < 4) fail_("a record is cut short at the end of the workbook stream");
        const std::size_t length = u16(s_, pos + 2);
        if (s_.size() - pos - 4 < length) fail_("a record runs past the end of the workbook stream");
        return {u16(s_, pos), s_.substr(pos + 4, length), pos + 4 + length};
    }

    // A string as BIFF stores it: a 16-bit character count (8-bit for `shortCount`), then in
    // BIFF8 a flag byte (characters of one or two bytes, rich text runs, phonetic data) and
    // the characters, which may go on in the following parts (CONTINUE records), each then
    // starting with a new flag byte. BIFF5 strings are single bytes, read as Latin-1.
    std::string readString(const std::vector<std::string_view>& parts, bool shortCount, const std::string& what) const {
        auto cutShort = [&] { fail_(what + " is cut short"); };
        std::string_view part = parts[0];
        std::size_t at = shortCount ? 1 : 2;
        if (part.size() < at) cutShort();
        const std::size_t count = shortCount ? std::size_t(std::uint8_t(part[0])) : std::size_t(u16(part, 0));
        bool wide = false;
        if (biff8_) {
            if (part.size() < at + 1) cutShort();
            const auto flags = std::uint8_t(part[at++]);
            wide = flags & 0x01;
            if (flags & 0x08) at += 2;  // count of rich text runs, which follow the characters
            if (flags & 0x04) at += 4;  // size of the phonetic data, likewise
            if (at > part.size()) cutShort();
        }
        std::vector<std::uint16_t> units;
        units.reserve(count);
        std::size_t index = 0;
        while (units.size() < count) {
            if (at == part.size()) {
                if (++index == parts.size()) cutShort();
                part = parts[index];
                at = 0;
                if (biff8_) {
                    if (part.empty()) cutShort();
                    wide = std::uint8_t(part[at++]) & 0x01;
                }
                continue;
            }
            if (wide) {
                if (part.size() - at < 2) cutShort();
                units.push_back(u16(part, at));
                at += 2;
            } else {
                units.push_back(std::uint8_t(part[at++]));
            }
        }
        return utf8OfUtf16(units);
    }

    void readFormat(std::string_view body) {
        if (body.size() < 2) fail_("a FORMAT record is cut short");
        const int id = u16(body, 0);
        customIsDate_[id] = isDateFormatCode(readString({body.substr(2)}, !biff8_, "a FORMAT record"));
    }

    bool isDateXf(std::size_t xf) const {
        if (xf >= xfFormats_.size()) return false;
        const int id = xfFormats_[xf];
        const auto custom = customIsDate_.find(id);
        return custom != customIsDate_.end() ? custom->second : isBuiltinDateFormat(id);
    }

    void readSheet(std::uint32_t start) {
        if (start >= s_.size()) fail_("the first worksheet lies outside the workbook stream");
        Record r = recordAt(start);
        if (r.type != rec::Bof) fail_("the first worksheet does not start with a BOF record");
        // Embedded charts are substreams of their own (BOF .. EOF) within the worksheet.
        int depth = 1;
        std::size_t pos = r.next;
        while (depth > 0 && pos < s_.size()) {
            r = recordAt(pos);
            pos = r.next;
            if (r.type == rec::Bof)
                ++depth;
            else if (r.type == rec::Eof)
                --depth;
            else if (r.type == rec::Formula && depth == 1)
                pos = readFormula(r.body, pos);
        }
    }

    // Reads one FORMULA record; returns where the next record to look at starts.
    std::size_t readFormula(std::string_view body, std::size_t pos) {
        if (body.size() < 6) fail_("a FORMULA record is cut short");
        XlsFormulaResult result;
        result.row = int(u16(body, 0)) + 1;
        result.column = int(u16(body, 2)) + 1;
        const std::string where = columnLetters(result.column) + std::to_string(result.row);
        auto noResult = [&] {
            throw InputError(fileName_ + ": " + where +
                             ": the formula has no stored result; open the workbook in a spreadsheet "
                             "program and save it again");
        };
        if (body.size() < 14) noResult();
        const std::string_view value = body.substr(6, 8);
        Cell& cell = result.cell;
        if (u16(value, 6) != 0xFFFF) {
            cell.number = std::bit_cast<double>(u64(value, 0));
            if (!std::isfinite(cell.number)) fail_("cell " + where + " holds a formula result that is no number");
            cell.type = Cell::Type::Number;
            if (isDateXf(u16(body, 4))) {
                if (auto text = dateTextOfSerial(cell.number, results_.date1904)) {
                    cell.type = Cell::Type::Date;
                    cell.text = std::move(*text);
                }
            }
        } else {
            switch (std::uint8_t(value[0])) {
                case 0: {  // text, in the STRING record that follows
                    std::size_t at = pos;
                    std::optional<Record> string;
                    while (at < s_.size()) {
                        const Record next = recordAt(at);
                        at = next.next;
                        if (next.type == rec::SharedFormula || next.type == rec::Array || next.type == rec::Table) continue;
                        if (next.type == rec::String) string = next;
                        break;
                    }
                    if (!string) noResult();
                    std::vector<std::string_view> parts{string->body};
                    while (at < s_.size()) {
                        const Record next = recordAt(at);
                        if (next.type != rec::Continue) break;
                        parts.push_back(next.body);
                        at = next.next;
                    }
                    cell.type = Cell::Type::Text;
                    cell.text = readString(parts, false, "the text result of cell " + where);
                    pos = at;
                    break;
                }
                case 1:
                    cell.type = Cell::Type::Boolean;
                    cell.number = value[2] != 0 ? 1 : 0;
                    break;
                case 2:
                    cell.type = Cell::Type::Error;
                    cell.text = errorText(std::uint8_t(value[2]));
                    break;
                case 3:
                    cell.type = Cell::Type::Text;
                    break;
                default: fail_("cell " + where + " holds a formula result of an unknown kind");
            }
        }
        results_.cells.push_back(std::move(result));
        return pos;
    }

    std::string_view s_;
    const std::string& fileName_;
    const Failure& fail_;
    bool biff8_ = true;
    std::vector<std::uint16_t> xfFormats_;  // number format id of each XF, in order
    std::map<int, bool> customIsDate_;      // whether each FORMAT record's code shows a date
    XlsFormulaResults results_;
};

}  // namespace

XlsFormulaResults readXlsFormulaResults(std::string_view bytes, const std::string& fileName) {
    const Failure fail{fileName};
    CompoundFile file(bytes, fail);
    std::optional<std::string> stream = file.rootStream("WORKBOOK");
    if (!stream) stream = file.rootStream("BOOK");
    if (!stream) fail("there is no Workbook stream");
    return BiffReader(*stream, fileName, fail).read();
}

bool isEncryptedPackage(std::string_view bytes) {
    const std::string name;
    const Failure fail{name};
    try {
        CompoundFile file(bytes, fail);
        return file.rootStream("ENCRYPTIONINFO") || file.rootStream("ENCRYPTEDPACKAGE");
    } catch (const InputError&) {
        return false;
    }
}

std::string passwordProtectedText(const std::string& fileName) {
    return fileName + ": the workbook is protected by a password; save it without a password and try again";
}

}  // namespace tarn
