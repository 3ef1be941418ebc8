#include "app/ProgramFolder.h"

#include "data/SupportFolder.h"

#include <system_error>

namespace dorva::app {
namespace {
bool HoldsSupportFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder / data::kSupportFolder, ec);
}

std::filesystem::path InstalledFolder(const std::filesystem::path& exeFolder, std::string_view installDir) {
    const std::filesystem::path dir(installDir);
    return (dir.is_absolute() ? dir : exeFolder.parent_path() / dir).lexically_normal();
}
} // namespace

std::filesystem::path FindProgramFolder(const std::filesystem::path& exeFolder,
                                        std::string_view installDataDir) {
    if (HoldsSupportFolder(exeFolder)) {
        return exeFolder;
    }
    if (const std::filesystem::path installed = InstalledFolder(exeFolder, installDataDir);
        HoldsSupportFolder(installed)) {
        return installed;
    }
    return exeFolder;
}

std::filesystem::path FindSpeechModule(const std::filesystem::path& exeFolder,
                                       std::string_view installModuleDir) {
    for (const std::filesystem::path& folder : {exeFolder, InstalledFolder(exeFolder, installModuleDir)}) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(folder / kSpeechModuleName, ec)) {
            return folder / kSpeechModuleName;
        }
    }
    return {};
}

} // namespace dorva::app
