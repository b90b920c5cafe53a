#pragma once
// Texts and paths between the core (UTF-8 std::string, std::filesystem::path) and Qt.
#include <QFile>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarn::ui {

inline QString toQ(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

inline std::string toStd(const QString& text) { return text.toStdString(); }

// A file name as the file system spells it.
inline std::filesystem::path toPath(const QString& file) { return std::filesystem::path(QFile::encodeName(file).toStdString()); }

inline QString fromPath(const std::filesystem::path& path) { return QFile::decodeName(path.native().c_str()); }

}  // namespace tarn::ui
