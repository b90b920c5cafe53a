#include "workbook/xlsx_workbook.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <vector>

#include "model/cell_address.h"
#include "model/dates.h"
#include "model/errors.h"
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

// Splits "AB12" into column and row; false for anything else.
bool parseRef(const char* ref, int& column, int& row) {
    int c = 0, r = 0;
    const char* p = ref;
    while ((*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z')) {
        c = c * 26 + ((*p | 0x20) - 'a' + 1);
        if (c > kMaxColumn) return false;
        ++p;
    }
    if (p == ref) return false;
    const char* digits = p;
    while (*p >= '0' && *p <= '9') {
        r = r * 10 + (*p - '0');
        if (r > kMaxRow) return false;
        ++p;
    }
    if (p == digits || *p != '\0' || r < 1) return false;
    column = c;
    row = r;
    return true;
}

bool parseDouble(std::string_view text, double& out) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size() && std::isfinite(out);
}

// Concatenated text of an <si> or <is> element: its <t>, or the <t> of each run <r>;
// phonetic runs are left out.
std::string richText(const pugi::xml_node& node) {
    std::string text;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (xml::is(c, "t")) {
            text += c.text().get();
        } else if (xml::is(c, "r")) {
            if (pugi::xml_node t = xml::child(c, "t")) text += t.text().get();
        }
    }
    return text;
}

// Number text that reads back as the same double.
std::string exactNumberText(double x) {
    char buf[32];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, ptr);
}

struct StoredCell {
    int column = 0;
    Cell::Type type = Cell::Type::Empty;
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
    Cell storedCell(int row, int column) const override {
        Cell c;
        if (row < 1 || row >= int(rows_.size())) return c;
        const auto& cells = rows_[std::size_t(row)];
        auto it = std::lower_bound(cells.begin(), cells.end(), column,
                                   [](const StoredCell& s, int col) { return s.column < col; });
        if (it == cells.end() || it->column != column) return c;
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

private:
    [[noreturn]] void damaged(const std::string& what) const {
        throw InputError(path().string() + " is not a readable workbook: " + what);
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
    pugi::xml_node firstSheet;
    for (pugi::xml_node s : xml::child(root, "sheets").children())
        if (xml::is(s, "sheet")) {
            firstSheet = s;
            break;
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
    pugi::xml_document doc = parsePart(part, false);
    for (pugi::xml_node si : doc.document_element().children())
        if (xml::is(si, "si")) strings_.push_back(richText(si));
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
    pugi::xml_document doc = parsePart(sheetPart_, true);
    const pugi::xml_node sheetData = xml::child(doc.document_element(), "sheetData");
    int row = 0;
    for (pugi::xml_node r = sheetData.first_child(); r; r = r.next_sibling()) {
        if (!xml::is(r, "row")) continue;
        const pugi::xml_attribute rowRef = r.attribute("r");
        const int rowNumber = rowRef ? rowRef.as_int() : row + 1;
        if (rowNumber < 1 || rowNumber > kMaxRow)
            damaged("row number '" + std::string(rowRef.value()) + "' in " + sheetPart_);
        row = rowNumber;
        if (std::size_t(row) >= rows_.size()) rows_.resize(std::size_t(row) + 1);
        auto& cells = rows_[std::size_t(row)];
        int column = 0;
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            if (!xml::is(c, "c")) continue;
            const pugi::xml_attribute ref = c.attribute("r");
            int col = column + 1, refRow = row;
            if (ref && !parseRef(ref.value(), col, refRow))
                damaged("cell reference '" + std::string(ref.value()) + "' in " + sheetPart_);
            if (refRow != row) damaged("cell " + std::string(ref.value()) + " outside its row");
            if (col > kMaxColumn) damaged("too many columns in row " + std::to_string(row));
            column = col;

            StoredCell cell;
            cell.column = col;
            const std::string_view type = c.attribute("t").value();
            const pugi::xml_node v = xml::child(c, "v");
            if (xml::child(c, "f")) hasFormulas_ = true;
            const char* vText = v ? v.text().get() : "";
            if (type == "s") {
                if (!v) continue;
                const long index = v.text().as_llong(-1);
                if (index < 0 || std::size_t(index) >= sharedCount_)
                    damaged("cell " + columnLetters(col) + std::to_string(row) +
                            " names a shared string that does not exist");
                cell.type = Cell::Type::Text;
                cell.string = std::uint32_t(index);
            } else if (type == "inlineStr") {
                cell.type = Cell::Type::Text;
                cell.string = std::uint32_t(strings_.size());
                strings_.push_back(richText(xml::child(c, "is")));
            } else if (type == "str") {
                if (!v) continue;
                cell.type = Cell::Type::Text;
                cell.string = std::uint32_t(strings_.size());
                strings_.emplace_back(vText);
            } else if (type == "e") {
                cell.type = Cell::Type::Error;
                cell.string = std::uint32_t(strings_.size());
                strings_.emplace_back(vText);
            } else if (type == "b") {
                if (!v) continue;
                cell.type = Cell::Type::Boolean;
                cell.number = std::string_view(vText) == "1" ? 1 : 0;
            } else if (type == "d") {
                // An ISO 8601 date written as text; the day is what matters.
                if (!v) continue;
                auto date = parseDateText(std::string_view(vText).substr(0, 10));
                if (!date) damaged("cell " + columnLetters(col) + std::to_string(row) +
                                   " holds the date '" + vText + "'");
                cell.type = Cell::Type::Date;
                cell.number = serialOfDays(daysSinceEpoch(*date), date1904_);
            } else {
                if (!v || *vText == '\0') continue;  // formatted but empty
                if (!parseDouble(vText, cell.number))
                    damaged("cell " + columnLetters(col) + std::to_string(row) + " holds '" +
                            vText + "' as a number");
                const int style = c.attribute("s").as_int(0);
                const bool date = style >= 0 && std::size_t(style) < dateStyle_.size() &&
                                  dateStyle_[std::size_t(style)];
                cell.type = date ? Cell::Type::Date : Cell::Type::Number;
            }
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
        }
    }
}

// ---- Saving a copy --------------------------------------------------------------------

// Replaces the value of cell element `c` by `value`, keeping its style.
void setCellValue(pugi::xml_node c, const Variant& value, const std::string& prefix) {
    while (pugi::xml_node child = c.first_child()) c.remove_child(child);
    c.remove_attribute("t");
    if (value.isNumber()) {
        const double x = *value.toNumber();
        if (std::isfinite(x)) {
            c.append_child((prefix + "v").c_str()).text().set(exactNumberText(x).c_str());
        } else {
            c.append_attribute("t") = "e";
            c.append_child((prefix + "v").c_str()).text().set("#NUM!");
        }
    } else if (value.isText()) {
        c.append_attribute("t") = "inlineStr";
        pugi::xml_node t = c.append_child((prefix + "is").c_str()).append_child((prefix + "t").c_str());
        const std::string text = xml::xmlSafe(*value.textPtr());
        if (!text.empty() && (text.front() == ' ' || text.back() == ' ' || text.find('\n') != std::string::npos))
            t.append_attribute("xml:space") = "preserve";
        t.text().set(text.c_str());
    }
}

// Merges the written cells into the sheet XML: existing cells keep their style, rows and
// cells stay in order, and every row and cell gets its explicit reference.
std::string patchSheet(const std::string& xmlText, const std::map<std::pair<int, int>, Variant>& writes,
                       const std::string& partName, const fs::path& file) {
    pugi::xml_document doc;
    if (!doc.load_buffer(xmlText.data(), xmlText.size(), xml::kParseFlags))
        throw InputError(file.string() + ": the part " + partName + " is not valid XML");
    pugi::xml_node root = doc.document_element();
    const std::string prefix = xml::prefixOf(root);
    pugi::xml_node sheetData = xml::child(root, "sheetData");
    if (!sheetData) {
        pugi::xml_node before;
        for (const char* name : {"cols", "sheetFormatPr", "sheetViews", "dimension", "sheetPr"})
            if ((before = xml::child(root, name))) break;
        sheetData = before ? root.insert_child_after((prefix + "sheetData").c_str(), before)
                           : root.prepend_child((prefix + "sheetData").c_str());
    }

    int maxRow = 1, maxColumn = 1;
    auto w = writes.begin();
    auto writeRowCells = [&](pugi::xml_node row, int rowNumber) {
        // Merge this row's writes into its cells.
        int column = 0;
        pugi::xml_node c = row.first_child();
        while (w != writes.end() && w->first.first == rowNumber) {
            const int col = w->first.second;
            // Advance to the first cell at or after col.
            while (c) {
                if (xml::is(c, "c")) {
                    int cc = column + 1, rr = rowNumber;
                    if (c.attribute("r")) parseRef(c.attribute("r").value(), cc, rr);
                    column = cc;
                    if (!c.attribute("r"))
                        c.append_attribute("r") = (columnLetters(cc) + std::to_string(rowNumber)).c_str();
                    if (cc >= col) break;
                }
                c = c.next_sibling();
            }
            if (c && column == col) {
                setCellValue(c, w->second, prefix);
            } else {
                pugi::xml_node fresh = c ? row.insert_child_before((prefix + "c").c_str(), c)
                                         : row.append_child((prefix + "c").c_str());
                fresh.append_attribute("r") = (columnLetters(col) + std::to_string(rowNumber)).c_str();
                setCellValue(fresh, w->second, prefix);
            }
            maxColumn = std::max(maxColumn, col);
            ++w;
        }
        row.remove_attribute("spans");
    };

    int rowNumber = 0;
    pugi::xml_node row = sheetData.first_child();
    while (row || w != writes.end()) {
        if (row && !xml::is(row, "row")) {
            row = row.next_sibling();
            continue;
        }
        if (row) {
            const int number = row.attribute("r") ? row.attribute("r").as_int() : rowNumber + 1;
            if (!row.attribute("r")) row.append_attribute("r") = number;
            if (w != writes.end() && w->first.first < number) {
                pugi::xml_node fresh = sheetData.insert_child_before((prefix + "row").c_str(), row);
                const int freshNumber = w->first.first;
                fresh.append_attribute("r") = freshNumber;
                writeRowCells(fresh, freshNumber);
                maxRow = std::max(maxRow, freshNumber);
                continue;  // the same existing row again
            }
            rowNumber = number;
            maxRow = std::max(maxRow, number);
            int lastColumn = 0;
            for (pugi::xml_node c : row.children())
                if (xml::is(c, "c")) {
                    int cc = lastColumn + 1, rr = number;
                    if (c.attribute("r")) parseRef(c.attribute("r").value(), cc, rr);
                    lastColumn = cc;
                }
            maxColumn = std::max(maxColumn, lastColumn);
            if (w != writes.end() && w->first.first == number) writeRowCells(row, number);
            row = row.next_sibling();
        } else {
            pugi::xml_node fresh = sheetData.append_child((prefix + "row").c_str());
            const int freshNumber = w->first.first;
            fresh.append_attribute("r") = freshNumber;
            writeRowCells(fresh, freshNumber);
            maxRow = std::max(maxRow, freshNumber);
        }
    }
    if (pugi::xml_node dimension = xml::child(root, "dimension")) {
        const std::string ref = "A1:" + columnLetters(maxColumn) + std::to_string(maxRow);
        if (dimension.attribute("ref"))
            dimension.attribute("ref") = ref.c_str();
        else
            dimension.append_attribute("ref") = ref.c_str();
    }
    return xml::serialize(doc);
}

Workbook::SaveResult XlsxWorkbook::saveAs(const fs::path& target) const {
    ZipWriter out;
    const std::string contentTypes = "[Content_Types].xml";
    const std::string bookRels = relsPartOf(workbookPart_);
    const bool dropCalcChain = !calcChainPart_.empty() && zip_.contains(calcChainPart_);
    for (const std::string& part : zip_.names()) {
        if (part == sheetPart_) {
            out.add(part, patchSheet(*zip_.read(part), written_, part, path()), true);
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
