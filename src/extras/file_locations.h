#pragma once
// Where every file the program writes lives. The settings go to the user's configuration
// folder, the tally and downloads to the user's data folder, each in a "quintrel" folder;
// a file of the same name beside the executable wins, so a portable copy keeps its files.

#include <functional>
#include <string>
#include <string_view>

namespace quintrel {

inline constexpr const char* kSettingsFileName = "pelnorlobby.ini";
inline constexpr const char* kTallyFileName = "quintreltally.tld";
inline constexpr const char* kUserFolderName = "quintrel";

enum class FileKind {
    Settings,  // the user's configuration folder
    Data,      // the user's data folder: the tally, downloads
};

struct FileFolders {
    std::string executableDir;
    std::string configHome;  // e.g. ~/.config; empty when unknown
    std::string dataHome;    // e.g. ~/.local/share; empty when unknown
};

struct FileLocation {
    std::string path;
    // The folder to create before writing; empty when the file stays beside the executable.
    std::string folder;
    bool portable = false;
};

// fileName must be a plain file name (no folder part, not "." or ".."): std::invalid_argument
// otherwise, since a name taken from a download could point anywhere. Without a user
// folder the file stays beside the executable.
FileLocation locateFile(std::string_view fileName, FileKind kind, const FileFolders& folders,
                        const std::function<bool(const std::string& path)>& exists);

}  // namespace quintrel
