#include "extras/qt/user_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace quintrel {
namespace {

std::string native(const QString& path) { return path.isEmpty() ? std::string() : nativePath(path); }

QString decoded(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

std::string nativePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

FileFolders standardFileFolders() {
    return {
        native(QCoreApplication::applicationDirPath()),
        native(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)),
        native(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)),
    };
}

QString userFilePath(const QString& fileName, FileKind kind) {
    const FileLocation location =
        locateFile(nativePath(fileName), kind, standardFileFolders(),
                   [](const std::string& path) { return QFileInfo(decoded(path)).isFile(); });
    if (!location.folder.empty()) QDir().mkpath(decoded(location.folder));
    return decoded(location.path);
}

QString settingsFilePath() {
    return userFilePath(QString::fromLatin1(kSettingsFileName), FileKind::Settings);
}

QString tallyFilePath() { return userFilePath(QString::fromLatin1(kTallyFileName), FileKind::Data); }

}  // namespace quintrel
