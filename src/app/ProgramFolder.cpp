#include "app/ProgramFolder.h"

#include "data/SupportFolder.h"

#include <system_error>

namespace dorva::app {
namespace {
bool HoldsSupportFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    return std::filesystem::is_directory(folder / data::kSupportFolder, ec);
}
} // namespace

std::filesystem::path FindProgramFolder(const std::filesystem::path& exeFolder,
                                        std::string_view installDataDir) {
    if (HoldsSupportFolder(exeFolder)) {
        return exeFolder;
    }
    const std::filesystem::path dataDir(installDataDir);
    const std::filesystem::path installed =
        dataDir.is_absolute() ? dataDir : exeFolder.parent_path() / dataDir;
    if (HoldsSupportFolder(installed)) {
        return installed.lexically_normal();
    }
    return exeFolder;
}

} // namespace dorva::app
