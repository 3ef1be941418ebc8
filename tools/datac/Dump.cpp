// The dump reads a built file with the program's own readers, through the same calls start-up and the
// set-up screen make, and prints what the program would then hold.
#include "Build.h"

#include "Source.h"
#include "data/Messages.h"
#include "data/NationalityFile.h"
#include "data/State.h"
#include "data/SupportFolder.h"
#include "data/TableFile.h"
#include "data/Tables.h"

#include <unistd.h>

namespace dorva::datac {
namespace fs = std::filesystem;
using nlohmann::ordered_json;

namespace {

ordered_json Texts(const data::ListTable& list) {
    ordered_json array = ordered_json::array();
    for (const std::string& entry : list) {
        array.push_back(Latin1ToUtf8(entry));
    }
    return array;
}

// A program folder of the dump's own, holding a copy of the nationality file where the program looks
// for it, so that the program's readers open it exactly as they open a shipped file.
class ScratchProgramFolder {
public:
    explicit ScratchProgramFolder(const fs::path& file, const std::string& name) {
        root_ = fs::temp_directory_path() / ("dorva-datac-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / data::kSupportFolder);
        fs::copy_file(file, root_ / data::kSupportFolder / (name + ".sdf"));
        previous_ = data::gProgramFolder;
        data::gProgramFolder = root_;
    }
    ~ScratchProgramFolder() {
        data::gProgramFolder = previous_;
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    ScratchProgramFolder(const ScratchProgramFolder&) = delete;
    ScratchProgramFolder& operator=(const ScratchProgramFolder&) = delete;

private:
    fs::path root_;
    fs::path previous_;
};

} // namespace

ordered_json DumpTableFile(const fs::path& path) {
    data::ResetState();
    // An absolute path is used as it stands by the program's path resolution.
    data::ReadTableStore(fs::absolute(path).string());
    ordered_json out = ordered_json::object();
    for (const char* code : data::kTableCodes) {
        if (const data::ListTable* list = data::ListTableOf(code)) {
            out[code] = list->empty() ? ordered_json(nullptr) : Texts(*list);
            continue;
        }
        const data::GridTable& grid = *data::GridTableOf(code);
        if (grid.cells.empty()) {
            out[code] = nullptr;
            continue;
        }
        ordered_json rows = ordered_json::array();
        for (int r = 0; r <= grid.rows; ++r) {
            ordered_json row = ordered_json::array();
            for (int c = 0; c <= grid.columns; ++c) {
                row.push_back(Latin1ToUtf8(grid.Cell(r, c)));
            }
            rows.push_back(std::move(row));
        }
        out[code] = std::move(rows);
    }
    return out;
}

ordered_json DumpNationalityFile(const fs::path& path, std::int32_t gameDate) {
    const std::string name = path.stem().string();
    ScratchProgramFolder folder(path, name);
    data::ResetState();
    data::ReadScenarioTables(name, gameDate);

    ordered_json out = ordered_json::object();
    out["tag"] = Latin1ToUtf8(data::gSdfTag);
    ordered_json squads = ordered_json::array();
    for (const data::SquadRow& row : data::gSquadTable) {
        ordered_json columns = ordered_json::array();
        for (const std::string& cell : row) {
            columns.push_back(Latin1ToUtf8(cell));
        }
        squads.push_back(std::move(columns));
    }
    out["squads"] = std::move(squads);
    ordered_json periods = ordered_json::array();
    for (const data::SquadModifierPeriod& p : data::gSquadModifierPeriods) {
        periods.push_back(ordered_json::array({p.FromDate, p.ToDate, p.Modifier}));
    }
    out["periods"] = std::move(periods);
    const std::pair<const char*, const data::ListTable*> lists[] = {
        {"01", &data::gScenarioNotes}, {"03", &data::gLeaderTable},     {"04", &data::gSWTable},
        {"06", &data::gAFVTable},      {"5I", &data::gGunsInsideTable}, {"5O", &data::gGunsOutsideTable},
        {"6A", &data::gSPGTable}};
    for (const auto& [code, list] : lists) {
        out[code] = Texts(*list);
    }
    return out;
}

} // namespace dorva::datac
