#include "workbook/xlsx_builder.h"

#include <charconv>
#include <cmath>

#include "model/cell_address.h"
#include "model/errors.h"
#include "workbook/xml_scanner.h"
#include "workbook/zip_archive.h"

namespace tarn {

namespace {

std::string numberText(double x) {
    char buf[32];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, ptr);
}

std::string textElement(const std::string& text) {
    const bool preserve = !text.empty() && (text.front() == ' ' || text.back() == ' ' ||
                                            text.find('\n') != std::string::npos);
    return std::string(preserve ? "<t xml:space=\"preserve\">" : "<t>") + escapeXmlText(text) + "</t>";
}

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

}  // namespace

int XlsxBuilder::addSheet(std::string name, std::string partName) {
    const int index = int(sheets_.size());
    if (partName.empty()) partName = "sheet" + std::to_string(index + 1) + ".xml";
    sheets_.push_back({std::move(name), std::move(partName), {}, {}});
    return index;
}

void XlsxBuilder::set(int sheet, int row, int column, const Cell& cell) {
    sheets_.at(std::size_t(sheet)).cells[{row, column}] = {cell, {}};
}

void XlsxBuilder::setNumber(int sheet, int row, int column, double x) {
    Cell c;
    c.type = Cell::Type::Number;
    c.number = x;
    set(sheet, row, column, c);
}

void XlsxBuilder::setText(int sheet, int row, int column, std::string text) {
    Cell c;
    c.type = Cell::Type::Text;
    c.text = std::move(text);
    set(sheet, row, column, c);
}

void XlsxBuilder::setDate(int sheet, int row, int column, int daysSinceEpoch) {
    Cell c;
    c.type = Cell::Type::Date;
    c.number = serialOfDays(daysSinceEpoch, options_.date1904);
    set(sheet, row, column, c);
}

void XlsxBuilder::setFormula(int sheet, int row, int column, std::string formula, const Cell& cached) {
    sheets_.at(std::size_t(sheet)).cells[{row, column}] = {cached, std::move(formula)};
}

void XlsxBuilder::setColumnWidth(int sheet, int column, double width) {
    sheets_.at(std::size_t(sheet)).widths[column] = width;
}

std::string XlsxBuilder::sheetXml(const Sheet& sheet, std::map<std::string, int>& shared,
                                  std::vector<std::string>& sharedList) const {
    std::string xml = kXmlHead;
    xml += "<worksheet xmlns=\"";
    xml += kMain;
    xml += "\" xmlns:r=\"";
    xml += kRel;
    xml += "\">";
    int maxRow = 1, maxColumn = 1;
    for (const auto& [key, entry] : sheet.cells) {
        maxRow = std::max(maxRow, key.first);
        maxColumn = std::max(maxColumn, key.second);
    }
    xml += "<dimension ref=\"A1:" + columnLetters(maxColumn) + std::to_string(maxRow) + "\"/>";
    if (!sheet.widths.empty()) {
        xml += "<cols>";
        for (const auto& [column, width] : sheet.widths)
            xml += "<col min=\"" + std::to_string(column) + "\" max=\"" + std::to_string(column) +
                   "\" width=\"" + numberText(width) + "\" customWidth=\"1\"/>";
        xml += "</cols>";
    }
    xml += "<sheetData>";
    int openRow = 0;
    for (const auto& [key, entry] : sheet.cells) {
        const auto [row, column] = key;
        if (row != openRow) {
            if (openRow) xml += "</row>";
            xml += "<row r=\"" + std::to_string(row) + "\">";
            openRow = row;
        }
        const Cell& c = entry.cell;
        const std::string ref = columnLetters(column) + std::to_string(row);
        std::string attrs = " r=\"" + ref + "\"";
        std::string body;
        if (!entry.formula.empty()) body += "<f>" + escapeXmlText(entry.formula) + "</f>";
        switch (c.type) {
            case Cell::Type::Empty:
                break;
            case Cell::Type::Number:
                body += "<v>" + numberText(c.number) + "</v>";
                break;
            case Cell::Type::Date:
                attrs += " s=\"1\"";
                body += "<v>" + numberText(c.number) + "</v>";
                break;
            case Cell::Type::Boolean:
                attrs += " t=\"b\"";
                body += c.number != 0 ? "<v>1</v>" : "<v>0</v>";
                break;
            case Cell::Type::Error:
                attrs += " t=\"e\"";
                body += "<v>" + escapeXmlText(c.text) + "</v>";
                break;
            case Cell::Type::Text:
                if (!entry.formula.empty()) {
                    attrs += " t=\"str\"";
                    body += "<v>" + escapeXmlText(c.text) + "</v>";
                } else if (options_.sharedStrings) {
                    auto [it, added] = shared.try_emplace(c.text, int(sharedList.size()));
                    if (added) sharedList.push_back(c.text);
                    attrs += " t=\"s\"";
                    body += "<v>" + std::to_string(it->second) + "</v>";
                } else {
                    attrs += " t=\"inlineStr\"";
                    body += "<is>" + textElement(c.text) + "</is>";
                }
                break;
        }
        xml += "<c" + attrs + (body.empty() ? "/>" : ">" + body + "</c>");
    }
    if (openRow) xml += "</row>";
    xml += "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
           "header=\"0.3\" footer=\"0.3\"/></worksheet>";
    return xml;
}

void XlsxBuilder::save(const std::filesystem::path& target) const {
    if (sheets_.empty()) throw InputError("A workbook needs at least one worksheet");
    std::map<std::string, int> shared;
    std::vector<std::string> sharedList;
    std::vector<std::string> sheetXmls;
    for (const Sheet& s : sheets_) sheetXmls.push_back(sheetXml(s, shared, sharedList));
    const bool withShared = options_.sharedStrings && !sharedList.empty();

    std::string types = kXmlHead;
    types += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
             "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
             "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
             "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
             "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>";
    for (const Sheet& s : sheets_)
        types += "<Override PartName=\"/xl/worksheets/" + s.part +
                 "\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    if (withShared)
        types += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>";
    types += "</Types>";

    std::string rootRels = kXmlHead;
    rootRels += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/>"
                "</Relationships>";

    std::string book = kXmlHead;
    book += "<workbook xmlns=\"";
    book += kMain;
    book += "\" xmlns:r=\"";
    book += kRel;
    book += "\">";
    book += options_.date1904 ? "<workbookPr date1904=\"1\"/>" : "<workbookPr/>";
    book += "<bookViews><workbookView/></bookViews><sheets>";
    for (std::size_t i = 0; i < sheets_.size(); ++i)
        book += "<sheet name=\"" + escapeXmlText(sheets_[i].name) + "\" sheetId=\"" + std::to_string(i + 1) +
                "\" r:id=\"rId" + std::to_string(i + 1) + "\"/>";
    book += "</sheets></workbook>";

    std::string bookRels = kXmlHead;
    bookRels += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (std::size_t i = 0; i < sheets_.size(); ++i)
        bookRels += "<Relationship Id=\"rId" + std::to_string(i + 1) +
                    "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" Target=\"worksheets/" +
                    sheets_[i].part + "\"/>";
    const std::size_t n = sheets_.size();
    bookRels += "<Relationship Id=\"rId" + std::to_string(n + 1) +
                "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>";
    if (withShared)
        bookRels += "<Relationship Id=\"rId" + std::to_string(n + 2) +
                    "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    bookRels += "</Relationships>";

    std::string styles = kXmlHead;
    styles += "<styleSheet xmlns=\"";
    styles += kMain;
    styles += "\"><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"yyyy\\-mm\\-dd\"/></numFmts>"
              "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
              "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
              "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
              "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
              "<cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
              "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyNumberFormat=\"1\"/></cellXfs>"
              "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
              "</styleSheet>";

    ZipWriter zip;
    zip.add("[Content_Types].xml", types);
    zip.add("_rels/.rels", rootRels);
    zip.add("xl/workbook.xml", book);
    zip.add("xl/_rels/workbook.xml.rels", bookRels);
    zip.add("xl/styles.xml", styles);
    for (std::size_t i = 0; i < n; ++i) {
        const bool large = sheetXmls[i].size() > (1u << 20);
        zip.add("xl/worksheets/" + sheets_[i].part, std::move(sheetXmls[i]), large);
    }
    if (withShared) {
        std::string sst = kXmlHead;
        sst += "<sst xmlns=\"";
        sst += kMain;
        sst += "\" count=\"" + std::to_string(sharedList.size()) + "\" uniqueCount=\"" +
               std::to_string(sharedList.size()) + "\">";
        for (const auto& s : sharedList) sst += "<si>" + textElement(s) + "</si>";
        sst += "</sst>";
        zip.add("xl/sharedStrings.xml", sst);
    }
    zip.save(target);
}

}  // namespace tarn
