#include "fuzz/workbook_fuzz_input.h"

#include <unistd.h>

#include <filesystem>

#include "model/errors.h"
#include "workbook/input_workbook.h"
#include "workbook/xlsx_builder.h"
#include "workbook/xlsx_workbook.h"
#include "workbook/zip_archive.h"

namespace tarn {

namespace {

namespace fs = std::filesystem;

std::string fuzzPath(const char* suffix) {
    return (fs::temp_directory_path() / ("tarnflow-fuzz-" + std::to_string(::getpid()) + suffix)).string();
}

// A valid package whose sheet, shared strings and styles are the given parts.
std::string packageOf(const std::string& bytes) {
    std::string parts[3];
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const auto sep = bytes.find("\n--\n", start);
        parts[i] = bytes.substr(start, sep == std::string::npos ? std::string::npos : sep - start);
        if (sep == std::string::npos) break;
        start = sep + 4;
    }
    static const std::string base = [] {
        XlsxBuilder b({false, true});
        b.addSheet("S");
        b.setText(0, 1, 1, "x");
        const std::string path = fuzzPath("-base.xlsx");
        b.save(path);
        std::string content = readWholeFile(path);
        fs::remove(path);
        return content;
    }();
    ZipReader in(base, "base");
    ZipWriter out;
    for (const auto& name : in.names()) {
        if (name == "xl/worksheets/sheet1.xml")
            out.add(name, parts[0]);
        else if (name == "xl/sharedStrings.xml" && !parts[1].empty())
            out.add(name, parts[1]);
        else if (name == "xl/styles.xml" && !parts[2].empty())
            out.add(name, parts[2]);
        else
            out.copy(in, name);
    }
    const std::string path = fuzzPath("-pkg.xlsx");
    out.save(path);
    std::string content = readWholeFile(path);
    fs::remove(path);
    return content;
}

}  // namespace

std::string readFuzzInput(const std::string& bytes) {
    try {
        const bool whole = bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] == 'K';
        auto book = openXlsxWorkbook("fuzz-input.xlsx", whole ? bytes : packageOf(bytes));
        Project p;
        readHeader(*book, p);
        for (const char* address : {"A1", "D25", "AD16", "XFD1048576"}) (void)book->cell(address).displayText();
        try {
            loadParametersFromDataFile(*book, p);
        } catch (const InputError&) {
        }
        try {
            loadDailySeries(*book, p, {true, true, EtrefInput::Daily});
        } catch (const InputError&) {
        }
        try {
            loadDailySeries(*book, p, {true, false, EtrefInput::Monthly});
            spreadMonthlyEtref(p);
        } catch (const InputError&) {
        }
        book->write("F1", "fuzz");
        book->write("B3", 1.5);
        book->write("Z100", Variant());
        const std::string saved = fuzzPath("-saved.xlsx");
        book->saveAs(saved);
        auto again = openWorkbook(saved);
        (void)again->cell("F1").displayText();
        fs::remove(saved);
    } catch (const InputError& e) {
        return e.what();
    }
    return {};
}

}  // namespace tarn
