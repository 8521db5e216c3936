#pragma once
// The one place that decides where a file the program writes goes (see
// extras/file_locations.h), with Qt's standard folders and the executable's folder.

#include "extras/file_locations.h"

#include <QString>

namespace quintrel {

// The user's XDG configuration and data folders and the executable's folder.
FileFolders standardFileFolders();

// The path of a file the program writes; its user folder is created when missing (a
// failure to create it shows up when the file is written). fileName is a plain file name.
QString userFilePath(const QString& fileName, FileKind kind);

QString settingsFilePath();  // "pelnorlobby.ini"
QString tallyFilePath();     // "quintreltally.tld"

// For the core's file functions, which take the file system's own bytes.
std::string nativePath(const QString& path);

}  // namespace quintrel
