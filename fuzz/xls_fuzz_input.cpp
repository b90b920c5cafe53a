#include "fuzz/xls_fuzz_input.h"

#include <vector>

#include "model/errors.h"
#include "workbook/xls_formulas.h"

namespace tarn {

namespace {

constexpr std::uint32_t kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF;

std::string le16(unsigned v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }
std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }
void put32(std::string& bytes, std::size_t at, std::uint32_t v) { bytes.replace(at, 4, le32(v)); }

std::string dirEntry(const std::string& name, char type, std::uint32_t child, std::uint32_t start, std::size_t size) {
    std::string e(128, '\0');
    for (std::size_t i = 0; i < name.size(); ++i) e[2 * i] = name[i];
    e.replace(0x40, 2, le16(unsigned(2 * name.size() + 2)));
    e[0x42] = type;
    put32(e, 0x44, kFree);
    put32(e, 0x48, kFree);
    put32(e, 0x4C, child);
    put32(e, 0x74, start);
    put32(e, 0x78, std::uint32_t(size));
    return e;
}

}  // namespace

std::string xlsCompoundFile(const std::string& stream, std::uint32_t fatSectors) {
    const bool mini = stream.size() < 4096;
    const std::uint32_t dir = fatSectors, firstData = dir + 1 + (mini ? 1 : 0);
    const std::size_t dataBytes = mini ? (stream.size() + 63) / 64 * 64 : stream.size();
    const auto miniSectors = std::uint32_t(dataBytes / 64);
    const auto dataSectors = std::uint32_t((dataBytes + 511) / 512);
    const std::uint32_t index = firstData + dataSectors;  // when fatSectors > 109
    std::vector<std::uint32_t> fat(std::size_t(fatSectors) * 128, kFree);
    for (std::uint32_t i = 0; i < fatSectors; ++i) fat[i] = 0xFFFFFFFD;
    fat[dir] = kEnd;
    if (mini) fat[dir + 1] = kEnd;
    for (std::uint32_t i = 0; i < dataSectors; ++i) fat[firstData + i] = i + 1 < dataSectors ? firstData + i + 1 : kEnd;
    if (fatSectors > 109) fat[index] = 0xFFFFFFFC;

    std::string out(512, '\0');
    out.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
    out.replace(0x18, 10, le16(0x3E) + le16(3) + le16(0xFFFE) + le16(9) + le16(6));
    put32(out, 0x2C, fatSectors);
    put32(out, 0x30, dir);
    put32(out, 0x38, 4096);
    put32(out, 0x3C, mini ? dir + 1 : kEnd);
    put32(out, 0x40, mini ? 1 : 0);
    put32(out, 0x44, fatSectors > 109 ? index : kEnd);
    put32(out, 0x48, fatSectors > 109 ? 1 : 0);
    for (std::uint32_t i = 0; i < 109; ++i) put32(out, 0x4C + 4 * i, i < fatSectors ? i : kFree);
    for (const std::uint32_t id : fat) out += le32(id);
    out += dirEntry("Root Entry", 5, 1, mini ? firstData : kEnd, mini ? dataBytes : 0) +
           dirEntry("Workbook", 2, kFree, mini ? 0 : firstData, stream.size()) + std::string(256, '\0');
    if (mini)
        for (std::uint32_t i = 0; i < 128; ++i) out += le32(i + 1 < miniSectors ? i + 1 : i < miniSectors ? kEnd : kFree);
    out += stream + std::string(std::size_t(dataSectors) * 512 - stream.size(), '\0');
    if (fatSectors > 109) {
        for (std::uint32_t i = 109; i < 109 + 127; ++i) out += le32(i < fatSectors ? i : kFree);
        out += le32(kEnd);
    }
    return out;
}

std::string xlsFuzzProblem(const std::string& bytes) {
    const bool whole = bytes.size() >= 8 && bytes.compare(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") == 0;
    try {
        for (const auto& r : readXlsFormulaResults(whole ? bytes : xlsCompoundFile(bytes), "fuzz.xls").cells) {
            if (r.row < 1 || r.row > 65536 || r.column < 1 || r.column > 65536)
                return "a result off the worksheet: row " + std::to_string(r.row) + ", column " + std::to_string(r.column);
            if (r.cell.type == Cell::Type::Date && r.cell.text.size() != 10) return "a date without its text";
        }
    } catch (const InputError& e) {
        if (std::string(e.what()).rfind("fuzz.xls", 0) != 0) return std::string("a message without the file: ") + e.what();
    }
    return {};
}

}  // namespace tarn
