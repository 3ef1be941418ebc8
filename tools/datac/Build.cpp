#include "Build.h"

#include "Compile.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <system_error>
#include <vector>

namespace dorva::datac {
namespace fs = std::filesystem;

namespace {

bool WriteWhole(const fs::path& file, const std::string& bytes, std::ostream& errors) {
    // Written beside the target and renamed over it, so that no reader ever sees half a file.
    const fs::path temporary = file.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            errors << temporary.string() << ": cannot be written\n";
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temporary, file, ec);
    if (ec) {
        errors << file.string() << ": cannot be written: " << ec.message() << "\n";
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

} // namespace

int BuildSupportFiles(const fs::path& srcDir, const fs::path& outDir, std::ostream& errors) {
    std::error_code ec;
    if (!fs::is_directory(srcDir, ec)) {
        errors << srcDir.string() << ": no such folder\n";
        return 1;
    }
    std::map<std::string, std::string> outputs; // file name -> bytes
    bool failed = false;
    bool anySource = false;
    std::optional<int> ifColumns;

    const auto compile = [&](const fs::path& file, auto&& body) {
        anySource = true;
        try {
            body(Source::Parse(file.string()));
        } catch (const SourceError& e) {
            errors << e.what() << "\n";
            failed = true;
        }
    };

    const fs::path config = srcDir / "config.toml";
    if (fs::exists(config, ec)) {
        compile(config, [&](const Source& source) {
            outputs["config.sco"] = CompileTableFile(source);
            ifColumns = IfColumns(source);
        });
    }

    const fs::path nationalities = srcDir / "nationalities";
    std::vector<fs::path> sources;
    if (fs::is_directory(nationalities, ec)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(nationalities, ec)) {
            if (entry.is_regular_file() && entry.path().extension() == ".toml") {
                sources.push_back(entry.path());
            }
        }
    }
    std::sort(sources.begin(), sources.end());
    for (const fs::path& file : sources) {
        const std::string name = file.stem().string();
        if (name.empty() || name.find('.') != std::string::npos) {
            // The set-up screen names a nationality by the part of its file name before the first dot
            // and then opens that name with ".sdf": a dotted name would open a file that is not there.
            errors << file.string() << ":1: the nationality's name \"" << name
                   << "\" must not hold a dot; the program lists a nationality by the part before the first "
                      "dot\n";
            failed = true;
            anySource = true;
            continue;
        }
        compile(file, [&](const Source& source) { outputs[name + ".sdf"] = CompileNationalityFile(source); });
    }

    const fs::path commands = srcDir / "commands.toml";
    if (fs::exists(commands, ec)) {
        compile(commands, [&](const Source& source) {
            CommandFiles files = CompileCommands(source, ifColumns);
            outputs["dorva.cfg"] = std::move(files.grammar);
            outputs["DORVA2_What_Can_I_Say.txt"] = std::move(files.whatCanISay);
        });
    }

    if (!anySource) {
        errors << srcDir.string() << ": holds none of config.toml, nationalities/*.toml, commands.toml\n";
        return 1;
    }
    if (failed) {
        return 1;
    }

    fs::create_directories(outDir, ec);
    if (ec) {
        errors << outDir.string() << ": cannot be created: " << ec.message() << "\n";
        return 1;
    }
    for (const auto& [name, bytes] : outputs) {
        if (!WriteWhole(outDir / name, bytes, errors)) {
            return 1;
        }
    }
    // A nationality whose source is gone must not stay listed on the set-up screen.
    for (const fs::directory_entry& entry : fs::directory_iterator(outDir, ec)) {
        const fs::path& file = entry.path();
        if (file.extension() == ".sdf" && outputs.count(file.filename().string()) == 0) {
            fs::remove(file, ec);
        }
    }
    return 0;
}

} // namespace dorva::datac
