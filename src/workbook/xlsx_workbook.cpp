#include "workbook/xlsx_workbook.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "model/cell_address.h"
#include "model/dates.h"
#include "model/errors.h"
#include "model/message_text.h"
#include "workbook/xml_scanner.h"
#include "workbook/xml_util.h"
#include "workbook/zip_archive.h"

namespace tarn {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxRow = 1048576;
constexpr int kMaxColumn = 16384;

// A part name relative to the folder of `base` ("xl/workbook.xml" + "worksheets/a.xml"),
// or from the root when the target starts with "/".
std::string resolvePart(const std::string& base, const std::string& target) {
    std::string path;
    if (!target.empty() && target.front() == '/') {
        path = target.substr(1);
    } else {
        const auto slash = base.rfind('/');
        path = (slash == std::string::npos ? std::string() : base.substr(0, slash + 1)) + target;
    }
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find('/', start), path.size());
        const std::string piece = path.substr(start, end - start);
        if (piece == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!piece.empty() && piece != ".") {
            parts.push_back(piece);
        }
        start = end + 1;
    }
    std::string out;
    for (const auto& p : parts) out += (out.empty() ? "" : "/") + p;
    return out;
}

// The relationships part of a part: "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels".
std::string relsPartOf(const std::string& part) {
    const auto slash = part.rfind('/');
    if (slash == std::string::npos) return "_rels/" + part + ".rels";
    return part.substr(0, slash + 1) + "_rels/" + part.substr(slash + 1) + ".rels";
}

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

bool isTrue(const pugi::xml_attribute& a) {
    const std::string_view v = a.value();
    return v == "1" || v == "true";
}

// Splits a cell reference of the sheet ("AB12") into column and row; false for anything
// else or a cell beyond the sheet's last column.
bool parseRef(std::string_view ref, int& column, int& row) {
    const auto cell = parseCellAddress(ref);
    if (!cell || cell->column > kMaxColumn) return false;
    column = cell->column;
    row = cell->row;
    return true;
}

bool parseInt(std::string_view text, int& out) {
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size();
}

bool parseDouble(std::string_view text, double& out) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size() && std::isfinite(out);
}

struct StoredCell {
    int column = 0;
    Cell::Type type = Cell::Type::Empty;
    bool uncalculated = false;  // a formula without a stored result
    std::uint32_t string = 0;  // index into strings_ for Text and Error
    double number = 0;
};

class XlsxWorkbook final : public Workbook {
public:
    XlsxWorkbook(const fs::path& path, std::string bytes)
        : Workbook(path), zip_(std::move(bytes), path.string()) {
        load();
    }

    bool date1904() const override { return date1904_; }
    SaveResult saveAs(const fs::path& target) const override;

protected:
    bool hasStoredCell(int row, int column) const override { return find(row, column) != nullptr; }
    int lastStoredRow() const override {
        for (int row = int(rows_.size()) - 1; row > 0; --row)
            if (!rows_[std::size_t(row)].empty()) return row;
        return 0;
    }
    Cell storedCell(int row, int column) const override {
        Cell c;
        const StoredCell* it = find(row, column);
        if (!it) return c;
        if (it->uncalculated)
            throw InputError(columnLetters(column) + std::to_string(row) +
                             ": the formula has no stored result; open the workbook in a spreadsheet "
                             "program and save it again");
        c.type = it->type;
        c.number = it->number;
        if (it->type == Cell::Type::Text || it->type == Cell::Type::Error)
            c.text = strings_[it->string];
        if (it->type == Cell::Type::Date) {
            if (auto text = dateTextOfSerial(it->number, date1904_))
                c.text = *text;
            else
                c.type = Cell::Type::Number;  // outside the calendar: show the number
        }
        return c;
    }

public:
    [[noreturn]] void damaged(const std::string& what) const {
        throw InputError(path().string() + " is not a readable workbook: " + what);
    }

private:
    const StoredCell* find(int row, int column) const {
        if (row < 1 || row >= int(rows_.size())) return nullptr;
        const auto& cells = rows_[std::size_t(row)];
        auto it = std::lower_bound(cells.begin(), cells.end(), column,
                                   [](const StoredCell& s, int col) { return s.column < col; });
        return it == cells.end() || it->column != column ? nullptr : &*it;
    }
    pugi::xml_document parsePart(const std::string& part, bool required) const {
        pugi::xml_document doc;
        auto content = zip_.read(part);
        if (!content) {
            if (required) damaged("the part " + part + " is missing");
            return doc;
        }
        const auto result = doc.load_buffer(content->data(), content->size(), xml::kParseFlags);
        if (!result) damaged("the part " + part + " is not valid XML (" + result.description() + ")");
        return doc;
    }

    void load();
    void loadStrings(const std::string& part);
    void loadStyles(const std::string& part);
    void loadSheet();

    ZipReader zip_;
    std::string workbookPart_;
    std::string sheetPart_;
    std::string calcChainPart_;
    bool date1904_ = false;
    bool hasFormulas_ = false;
    std::vector<std::string> strings_;
    std::size_t sharedCount_ = 0;
    std::vector<bool> dateStyle_;  // by cell format (xf) index
    std::vector<std::vector<StoredCell>> rows_;
};

void XlsxWorkbook::load() {
    workbookPart_ = "xl/workbook.xml";
    {
        pugi::xml_document rels = parsePart("_rels/.rels", false);
        for (pugi::xml_node r : rels.document_element().children())
            if (xml::is(r, "Relationship") && endsWith(r.attribute("Type").value(), "/officeDocument"))
                workbookPart_ = resolvePart("", r.attribute("Target").value());
    }
    pugi::xml_document book = parsePart(workbookPart_, true);
    const pugi::xml_node root = book.document_element();
    if (!xml::is(root, "workbook")) damaged(workbookPart_ + " is not a workbook part");
    date1904_ = isTrue(xml::child(root, "workbookPr").attribute("date1904"));
    // The first visible sheet (a hidden one before the project's sheet is passed over);
    // the first sheet when none is visible.
    pugi::xml_node firstSheet;
    for (pugi::xml_node s : xml::child(root, "sheets").children())
        if (xml::is(s, "sheet")) {
            const std::string state = s.attribute("state").value();
            const bool visible = state != "hidden" && state != "veryHidden";
            if (!firstSheet) firstSheet = s;
            if (visible) {
                firstSheet = s;
                break;
            }
        }
    if (!firstSheet) throw InputError(path().string() + " has no worksheet");
    const std::string sheetId = xml::attribute(firstSheet, "id").value();

    std::string stringsPart, stylesPart;
    pugi::xml_document rels = parsePart(relsPartOf(workbookPart_), true);
    for (pugi::xml_node r : rels.document_element().children()) {
        if (!xml::is(r, "Relationship")) continue;
        const std::string type = r.attribute("Type").value();
        const std::string target = resolvePart(workbookPart_, r.attribute("Target").value());
        if (sheetId == r.attribute("Id").value()) {
            if (!endsWith(type, "/worksheet"))
                throw InputError(path().string() + ": the first sheet is not a worksheet");
            sheetPart_ = target;
        } else if (endsWith(type, "/sharedStrings")) {
            stringsPart = target;
        } else if (endsWith(type, "/styles")) {
            stylesPart = target;
        } else if (endsWith(type, "/calcChain")) {
            calcChainPart_ = target;
        }
    }
    if (sheetPart_.empty()) damaged("the first worksheet has no part");
    if (!stringsPart.empty()) loadStrings(stringsPart);
    if (!stylesPart.empty()) loadStyles(stylesPart);
    loadSheet();
}

void XlsxWorkbook::loadStrings(const std::string& part) {
    const auto content = zip_.read(part);
    if (!content) return;
    XmlScanner scanner(*content);
    XmlToken t;
    bool inItem = false, inText = false, inPhonetic = false;
    std::string text;
    while (scanner.next(t)) {
        if (t.kind == XmlToken::Kind::Open) {
            if (t.is("si") && !t.selfClosing) {
                inItem = true;
                text.clear();
            } else if (t.is("si")) {
                strings_.emplace_back();
            } else if (inItem && t.is("rPh") && !t.selfClosing) {
                inPhonetic = true;
            } else if (inItem && !inPhonetic && t.is("t") && !t.selfClosing) {
                inText = true;
            }
        } else if (t.kind == XmlToken::Kind::Close) {
            if (t.is("t")) inText = false;
            else if (t.is("rPh")) inPhonetic = false;
            else if (t.is("si") && inItem) {
                strings_.push_back(text);
                inItem = false;
            }
        } else if (t.kind == XmlToken::Kind::Text && inText) {
            if (t.cdata)
                text.append(t.raw);
            else if (!decodeXmlText(t.raw, text))
                damaged("a broken character reference in " + part);
        }
    }
    if (!scanner.error().empty()) damaged(part + " is not valid XML (" + scanner.error() + ")");
    sharedCount_ = strings_.size();
}

void XlsxWorkbook::loadStyles(const std::string& part) {
    pugi::xml_document doc = parsePart(part, false);
    const pugi::xml_node root = doc.document_element();
    std::map<int, bool> customIsDate;
    for (pugi::xml_node f : xml::child(root, "numFmts").children())
        if (xml::is(f, "numFmt"))
            customIsDate[f.attribute("numFmtId").as_int()] =
                isDateFormatCode(f.attribute("formatCode").value());
    for (pugi::xml_node xf : xml::child(root, "cellXfs").children()) {
        if (!xml::is(xf, "xf")) continue;
        const int id = xf.attribute("numFmtId").as_int();
        auto custom = customIsDate.find(id);
        dateStyle_.push_back(custom != customIsDate.end() ? custom->second : isBuiltinDateFormat(id));
    }
}

void XlsxWorkbook::loadSheet() {
    const auto content = zip_.read(sheetPart_);
    if (!content) damaged("the part " + sheetPart_ + " is missing");
    XmlScanner scanner(*content);
    XmlToken t;
    bool inSheetData = false;
    int row = 0, column = 0;
    // The cell being read.
    bool inCell = false, inValue = false, inInline = false, inText = false, inPhonetic = false;
    bool hasValue = false, hasFormula = false;
    std::string type, value, inlineText;
    int col = 0, style = 0;

    auto where = [&] { return columnLetters(col) + std::to_string(row); };
    auto finishCell = [&] {
        StoredCell cell;
        cell.column = col;
        if (hasFormula && (!hasValue || (value.empty() && type != "str"))) {
            // Written by a program that does not calculate: the value is unknown, which is
            // not the same as empty. Reading the cell says so.
            cell.uncalculated = true;
        } else if (type == "s") {
            if (!hasValue) return;
            long index = -1;
            auto [p, ec] = std::from_chars(value.data(), value.data() + value.size(), index);
            if (ec != std::errc() || p != value.data() + value.size() || index < 0 ||
                std::size_t(index) >= sharedCount_)
                damaged("cell " + where() + " names a shared string that does not exist");
            cell.type = Cell::Type::Text;
            cell.string = std::uint32_t(index);
        } else if (type == "inlineStr") {
            cell.type = Cell::Type::Text;
            cell.string = std::uint32_t(strings_.size());
            strings_.push_back(inlineText);
        } else if (type == "str" || type == "e") {
            if (!hasValue && type == "str") return;
            cell.type = type == "e" ? Cell::Type::Error : Cell::Type::Text;
            cell.string = std::uint32_t(strings_.size());
            strings_.push_back(value);
        } else if (type == "b") {
            if (!hasValue) return;
            cell.type = Cell::Type::Boolean;
            cell.number = value == "1" ? 1 : 0;
        } else if (type == "d") {
            // An ISO 8601 date written as text; the day is what matters.
            if (!hasValue) return;
            auto date = parseDateText(std::string_view(value).substr(0, 10));
            if (!date) damaged("cell " + where() + " holds the date " + quotedText(value));
            cell.type = Cell::Type::Date;
            cell.number = serialOfDays(daysSinceEpoch(*date), date1904_);
        } else {
            if (!hasValue || value.empty()) return;  // formatted but empty
            if (!parseDouble(value, cell.number))
                damaged("cell " + where() + " holds " + quotedText(value) + " as a number");
            const bool date = style >= 0 && std::size_t(style) < dateStyle_.size() && dateStyle_[std::size_t(style)];
            cell.type = date ? Cell::Type::Date : Cell::Type::Number;
        }
        auto& cells = rows_[std::size_t(row)];
        if (!cells.empty() && cells.back().column >= col) {
            // Cells out of order: keep the row sorted, the later one wins.
            auto it = std::lower_bound(cells.begin(), cells.end(), col,
                                       [](const StoredCell& s, int x) { return s.column < x; });
            if (it != cells.end() && it->column == col)
                *it = cell;
            else
                cells.insert(it, cell);
        } else {
            cells.push_back(cell);
        }
    };

    while (scanner.next(t)) {
        if (t.kind == XmlToken::Kind::Open) {
            const std::string_view name = t.localName();
            if (!inSheetData) {
                if (name == "sheetData" && !t.selfClosing) inSheetData = true;
                continue;
            }
            if (name == "row") {
                const auto ref = t.attribute("r");
                int number = row + 1;
                if (ref && !parseInt(*ref, number)) damaged("row number " + quotedText(*ref) + " in " + sheetPart_);
                if (number < 1 || number > kMaxRow) damaged("row number " + std::to_string(number) + " in " + sheetPart_);
                row = number;
                if (std::size_t(row) >= rows_.size()) rows_.resize(std::size_t(row) + 1);
                column = 0;
            } else if (name == "c") {
                if (row == 0) damaged("a cell outside any row in " + sheetPart_);
                col = column + 1;
                int refRow = row;
                if (const auto ref = t.attribute("r"); ref && !parseRef(*ref, col, refRow))
                    damaged("cell reference " + quotedText(*ref) + " in " + sheetPart_);
                if (refRow != row) damaged("cell " + where() + " outside its row " + std::to_string(row));
                if (col > kMaxColumn) damaged("too many columns in row " + std::to_string(row));
                column = col;
                type = std::string(t.attribute("t").value_or(""));
                style = 0;
                if (const auto s = t.attribute("s")) parseInt(*s, style);
                value.clear();
                inlineText.clear();
                hasValue = hasFormula = false;
                inCell = !t.selfClosing;
            } else if (inCell && !t.selfClosing) {
                if (name == "v") {
                    inValue = hasValue = true;
                } else if (name == "f") {
                    hasFormulas_ = hasFormula = true;
                } else if (name == "is") {
                    inInline = true;
                } else if (name == "rPh") {
                    inPhonetic = true;
                } else if (name == "t" && inInline && !inPhonetic) {
                    inText = true;
                }
            } else if (inCell && name == "f") {
                hasFormulas_ = hasFormula = true;
            }
        } else if (t.kind == XmlToken::Kind::Close) {
            if (!inSheetData) continue;
            const std::string_view name = t.localName();
            if (name == "sheetData") break;
            if (name == "v") inValue = false;
            else if (name == "t") inText = false;
            else if (name == "rPh") inPhonetic = false;
            else if (name == "is") inInline = false;
            else if (name == "c" && inCell) {
                finishCell();
                inCell = inValue = inInline = inText = inPhonetic = false;
            }
        } else if (t.kind == XmlToken::Kind::Text && (inValue || inText)) {
            std::string& target = inValue ? value : inlineText;
            if (t.cdata)
                target.append(t.raw);
            else if (!decodeXmlText(t.raw, target))
                damaged("a broken character reference in cell " + where());
        }
    }
    if (!scanner.error().empty()) damaged(sheetPart_ + " is not valid XML (" + scanner.error() + ")");
}

// ---- Saving a copy --------------------------------------------------------------------

// The element text of a written value for the cell at `ref`, keeping the cell's style
// attribute (`style`, raw, with its leading blank) and the namespace prefix of the sheet.
void appendCell(std::string& out, const std::string& prefix, std::string_view ref,
                std::string_view style, const Variant& value) {
    auto open = [&](std::string_view name) { out.append("<").append(prefix).append(name); };
    auto close = [&](std::string_view name) { out.append("</").append(prefix).append(name).append(">"); };
    open("c");
    out.append(" r=\"").append(ref).append("\"").append(style);
    if (value.isNumber()) {
        const double x = *value.toNumber();
        const bool finite = std::isfinite(x);
        out.append(finite ? ">" : " t=\"e\">");
        open("v");
        out.append(">");
        if (finite) {
            char buf[32];
            auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, x);
            out.append(buf, ptr);
        } else {
            out.append("#NUM!");
        }
        close("v");
        close("c");
    } else if (value.isText()) {
        const std::string& text = *value.textPtr();
        const bool preserve = !text.empty() && (text.front() == ' ' || text.back() == ' ' ||
                                                text.find('\n') != std::string::npos);
        out.append(" t=\"inlineStr\">");
        open("is");
        out.append(">");
        open("t");
        out.append(preserve ? " xml:space=\"preserve\">" : ">");
        out.append(escapeXmlText(text));
        close("t");
        close("is");
        close("c");
    } else {
        out.append("/>");
    }
}

using Writes = std::map<std::pair<int, int>, Variant>;

// Merges the written cells into the worksheet XML in one pass: everything outside the
// rows that receive values is copied as it stands; in those rows existing cells keep their
// style, new cells and rows go in column and row order, and every row and cell gets an
// explicit reference so that nothing is renumbered.
std::string patchSheet(std::string_view xml, const Writes& writes, int maxRow, int maxColumn,
                       const std::function<void(const std::string&)>& damaged) {
    // A sheet without sheetData gets an empty one where the schema puts it.
    std::string withData;
    if (xml.find("sheetData") == std::string_view::npos) {
        XmlScanner pre(xml);
        XmlToken t;
        int depth = 0;
        std::size_t insertAt = std::string_view::npos;
        std::string prefix;
        while (pre.next(t)) {
            if (t.kind == XmlToken::Kind::Open) {
                if (depth == 0) {
                    insertAt = t.offset + t.raw.size();
                    const auto colon = t.name.find(':');
                    if (colon != std::string_view::npos) prefix = std::string(t.name.substr(0, colon + 1));
                }
                if (depth == 1 && (t.is("sheetPr") || t.is("dimension") || t.is("sheetViews") ||
                                   t.is("sheetFormatPr") || t.is("cols")) && t.selfClosing)
                    insertAt = t.offset + t.raw.size();
                if (!t.selfClosing) ++depth;
            } else if (t.kind == XmlToken::Kind::Close) {
                --depth;
                if (depth == 1 && (t.is("sheetPr") || t.is("dimension") || t.is("sheetViews") ||
                                   t.is("sheetFormatPr") || t.is("cols")))
                    insertAt = t.offset + t.raw.size();
            }
        }
        if (!pre.error().empty() || insertAt == std::string_view::npos)
            damaged("the worksheet is not valid XML");
        withData = std::string(xml.substr(0, insertAt)) + "<" + prefix + "sheetData/>" +
                   std::string(xml.substr(insertAt));
        xml = withData;
    }

    std::string out;
    out.reserve(xml.size() + writes.size() * 40 + 256);
    std::size_t copied = 0;
    auto copyUntil = [&](std::size_t offset) {
        out.append(xml.substr(copied, offset - copied));
        copied = offset;
    };
    auto skip = [&](const XmlToken& t) {
        copyUntil(t.offset);
        copied = t.offset + t.raw.size();
    };

    std::string prefix;
    std::string cellRef;
    auto w = writes.begin();
    auto appendRowCells = [&](int row, int beforeColumn) {
        while (w != writes.end() && w->first.first == row && w->first.second < beforeColumn) {
            cellRef = columnLetters(w->first.second);
            cellRef += std::to_string(row);
            appendCell(out, prefix, cellRef, "", w->second);
            ++w;
        }
    };
    auto appendRows = [&](int beforeRow) {
        while (w != writes.end() && w->first.first < beforeRow) {
            const int row = w->first.first;
            out += "<" + prefix + "row r=\"" + std::to_string(row) + "\">";
            appendRowCells(row, kMaxColumn + 1);
            out += "</" + prefix + "row>";
        }
    };

    XmlScanner scanner(xml);
    XmlToken t;
    bool inSheetData = false, done = false;
    int rowNumber = 0, column = 0;
    bool rowWritten = false;
    while (!done && scanner.next(t)) {
        if (t.kind == XmlToken::Kind::Open && !inSheetData) {
            if (t.is("dimension")) {
                skip(t);
                out += "<" + std::string(t.name) + " ref=\"A1:" + columnLetters(maxColumn) +
                       std::to_string(maxRow) + "\"" + attributesWithout(t.attributes, {"ref"}) +
                       (t.selfClosing ? "/>" : ">");
            } else if (t.is("sheetData")) {
                const auto colon = t.name.find(':');
                if (colon != std::string_view::npos) prefix = std::string(t.name.substr(0, colon + 1));
                if (t.selfClosing) {
                    skip(t);
                    out += "<" + std::string(t.name) + std::string(t.attributes) + ">";
                    appendRows(kMaxRow + 1);
                    out += "</" + std::string(t.name) + ">";
                    done = true;
                } else {
                    inSheetData = true;
                }
            }
            continue;
        }
        if (!inSheetData) continue;
        if (t.kind == XmlToken::Kind::Close && t.is("sheetData")) {
            copyUntil(t.offset);
            appendRows(kMaxRow + 1);
            done = true;
        } else if (t.kind == XmlToken::Kind::Open && t.is("row")) {
            int number = rowNumber + 1;
            const auto ref = t.attribute("r");
            if (ref && !parseInt(*ref, number)) damaged("a row number in the worksheet");
            copyUntil(t.offset);
            appendRows(number);
            rowNumber = number;
            column = 0;
            rowWritten = w != writes.end() && w->first.first == number;
            if (rowWritten || !ref) {
                skip(t);
                out += "<" + std::string(t.name) + " r=\"" + std::to_string(number) + "\"" +
                       attributesWithout(t.attributes, {"r", "spans"});
                if (t.selfClosing) {
                    out += ">";
                    appendRowCells(number, kMaxColumn + 1);
                    out += "</" + std::string(t.name) + ">";
                } else {
                    out += ">";
                }
            }
        } else if (t.kind == XmlToken::Kind::Close && t.is("row")) {
            if (rowWritten) {
                copyUntil(t.offset);
                appendRowCells(rowNumber, kMaxColumn + 1);
            }
            rowWritten = false;
        } else if (t.kind == XmlToken::Kind::Open && t.is("c")) {
            int col = column + 1, refRow = rowNumber;
            const auto ref = t.attribute("r");
            if (ref && !parseRef(*ref, col, refRow)) damaged("a cell reference in the worksheet");
            column = col;
            if (!rowWritten && ref) continue;  // copied as it stands
            const std::string existingRef = columnLetters(col) + std::to_string(rowNumber);
            copyUntil(t.offset);
            if (rowWritten) appendRowCells(rowNumber, col);
            if (rowWritten && w != writes.end() && w->first == std::make_pair(rowNumber, col)) {
                // Replace the whole cell element, keeping its style.
                std::string style;
                if (const auto s = t.attribute("s")) style = " s=\"" + std::string(*s) + "\"";
                std::size_t end = t.offset + t.raw.size();
                if (!t.selfClosing) {
                    XmlToken inner;
                    bool closed = false;
                    while (scanner.next(inner))
                        if (inner.kind == XmlToken::Kind::Close && inner.is("c")) {
                            end = inner.offset + inner.raw.size();
                            closed = true;
                            break;
                        }
                    if (!closed) damaged("an unterminated cell in the worksheet");
                }
                appendCell(out, prefix, existingRef, style, w->second);
                ++w;
                copied = end;
            } else {
                // Keep the cell, giving it its reference.
                skip(t);
                out += "<" + std::string(t.name) + " r=\"" + existingRef + "\"" +
                       attributesWithout(t.attributes, {"r"}) + (t.selfClosing ? "/>" : ">");
            }
        }
    }
    if (!scanner.error().empty()) damaged("the worksheet is not valid XML (" + scanner.error() + ")");
    copyUntil(xml.size());
    return out;
}

Workbook::SaveResult XlsxWorkbook::saveAs(const fs::path& target) const {
    ZipWriter out;
    const std::string contentTypes = "[Content_Types].xml";
    const std::string bookRels = relsPartOf(workbookPart_);
    const bool dropCalcChain = !calcChainPart_.empty() && zip_.contains(calcChainPart_);
    for (const std::string& part : zip_.names()) {
        if (part == sheetPart_) {
            int maxRow = 1, maxColumn = 1;
            for (std::size_t r = 1; r < rows_.size(); ++r)
                if (!rows_[r].empty()) {
                    maxRow = int(r);
                    maxColumn = std::max(maxColumn, rows_[r].back().column);
                }
            for (const auto& [key, value] : written_) {
                maxRow = std::max(maxRow, key.first);
                maxColumn = std::max(maxColumn, key.second);
            }
            out.add(part, patchSheet(*zip_.read(part), written_, maxRow, maxColumn,
                                     [&](const std::string& what) { damaged(what); }), true);
        } else if (dropCalcChain && part == calcChainPart_) {
            continue;  // stale once cells change; spreadsheet programs rebuild it
        } else if (dropCalcChain && part == contentTypes) {
            pugi::xml_document doc = parsePart(part, true);
            for (pugi::xml_node o : doc.document_element().children())
                if (xml::is(o, "Override") &&
                    resolvePart("", o.attribute("PartName").value()) == calcChainPart_) {
                    doc.document_element().remove_child(o);
                    break;
                }
            out.add(part, xml::serialize(doc));
        } else if (dropCalcChain && part == bookRels) {
            pugi::xml_document doc = parsePart(part, true);
            for (pugi::xml_node r : doc.document_element().children())
                if (xml::is(r, "Relationship") && endsWith(r.attribute("Type").value(), "/calcChain")) {
                    doc.document_element().remove_child(r);
                    break;
                }
            out.add(part, xml::serialize(doc));
        } else if ((dropCalcChain || hasFormulas_) && !written_.empty() && part == workbookPart_) {
            // Formulas may depend on the written cells: have them recalculated on opening.
            pugi::xml_document doc = parsePart(part, true);
            pugi::xml_node root = doc.document_element();
            pugi::xml_node calcPr = xml::child(root, "calcPr");
            if (!calcPr) {
                // calcPr has its place in the workbook's element order: after these.
                pugi::xml_node after;
                for (pugi::xml_node c : root.children())
                    for (const char* name : {"sheets", "functionGroups", "externalReferences", "definedNames"})
                        if (xml::is(c, name)) after = c;
                const std::string name = xml::prefixOf(root) + "calcPr";
                calcPr = after ? root.insert_child_after(name.c_str(), after) : root.append_child(name.c_str());
            }
            if (calcPr.attribute("fullCalcOnLoad"))
                calcPr.attribute("fullCalcOnLoad") = "1";
            else
                calcPr.append_attribute("fullCalcOnLoad") = "1";
            out.add(part, xml::serialize(doc));
        } else {
            out.copy(zip_, part);
        }
    }
    out.save(target);
    return {target, ""};
}

}  // namespace

std::unique_ptr<Workbook> openXlsxWorkbook(const fs::path& path, std::string bytes) {
    return std::make_unique<XlsxWorkbook>(path, std::move(bytes));
}

}  // namespace tarn
