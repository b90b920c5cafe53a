#pragma once
// Texts and paths between the core (UTF-8 std::string, std::filesystem::path) and Qt.
#include <QFile>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::ui {

inline QString toQ(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

inline std::string toStd(const QString& text) { return text.toStdString(); }

inline QStringList toQList(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(qsizetype(texts.size()));
    for (const std::string& t : texts) list << toQ(t);
    return list;
}

// A file name as the file system spells it.
inline std::filesystem::path toPath(const QString& file) { return std::filesystem::path(QFile::encodeName(file).toStdString()); }

inline QString fromPath(const std::filesystem::path& path) { return QFile::decodeName(path.native().c_str()); }

}  // namespace tarn::ui
