// dorva-datac: the data compiler of DORVA II's support files.
#include "Build.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = "usage: dorva-datac build SRC_DIR OUT_DIR\n"
                               "       dorva-datac dump [--kind table|nationality] [--date YYYYMM] FILE\n";

int Usage() {
    std::cerr << kUsage;
    return 2;
}

int Dump(const std::vector<std::string>& args) {
    std::string kind;
    std::string date;
    std::string file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--kind" || args[i] == "--date") && i + 1 < args.size()) {
            (args[i] == "--kind" ? kind : date) = args[i + 1];
            ++i;
        } else if (file.empty() && args[i].rfind("--", 0) != 0) {
            file = args[i];
        } else {
            return Usage();
        }
    }
    if (file.empty()) {
        return Usage();
    }
    const std::filesystem::path path(file);
    if (kind.empty()) {
        kind = path.extension() == ".sco" ? "table" : path.extension() == ".sdf" ? "nationality" : "";
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        std::cerr << file << ": no such file\n";
        return 1;
    }
    if (kind == "table") {
        std::cout << dorva::datac::DumpTableFile(path).dump(2) << "\n";
        return 0;
    }
    if (kind != "nationality") {
        std::cerr << file << ": tell its kind with --kind table or --kind nationality\n";
        return 2;
    }
    char* end = nullptr;
    const long gameDate = std::strtol(date.c_str(), &end, 10);
    if (date.size() != 6 || *end != '\0' || gameDate % 100 < 1 || gameDate % 100 > 12) {
        std::cerr << "a nationality file is read for a game date: --date YYYYMM\n";
        return 2;
    }
    std::cout << dorva::datac::DumpNationalityFile(path, static_cast<std::int32_t>(gameDate)).dump(2) << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 3 && args[0] == "build") {
            return dorva::datac::BuildSupportFiles(args[1], args[2], std::cerr);
        }
        if (!args.empty() && args[0] == "dump") {
            return Dump(std::vector<std::string>(args.begin() + 1, args.end()));
        }
    } catch (const std::exception& e) {
        // A file system failure (a folder that cannot be written, a file that vanished).
        std::cerr << "dorva-datac: " << e.what() << "\n";
        return 1;
    }
    return Usage();
}
