#include "extras/file_locations.h"

#include <filesystem>
#include <stdexcept>

namespace quintrel {

FileLocation locateFile(std::string_view fileName, FileKind kind, const FileFolders& folders,
                        const std::function<bool(const std::string& path)>& exists) {
    if (fileName.empty() || fileName == "." || fileName == ".." ||
        fileName.find_first_of("/\\") != std::string_view::npos ||
        fileName.find('\0') != std::string_view::npos)
        throw std::invalid_argument("not a plain file name: " + std::string(fileName));
    namespace fs = std::filesystem;
    const fs::path name{std::string(fileName)};
    if (!folders.executableDir.empty()) {
        const std::string beside = (fs::path(folders.executableDir) / name).string();
        if (exists(beside)) return {beside, {}, true};
    }
    const std::string& home = kind == FileKind::Settings ? folders.configHome : folders.dataHome;
    if (home.empty()) {
        const fs::path dir = folders.executableDir.empty() ? fs::path(".") : fs::path(folders.executableDir);
        return {(dir / name).string(), {}, true};
    }
    const fs::path folder = fs::path(home) / kUserFolderName;
    return {(folder / name).string(), folder.string(), false};
}

}  // namespace quintrel
