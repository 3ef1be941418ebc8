#include "app/gui/SpeechModule.h"

#include "app/ProgramFolder.h"
#include "ui/Text.h"

#include <QCoreApplication>
#include <QLibrary>
#include <iostream>

namespace dorva::app {
namespace {

#define DORVA_NAME_OF(symbol) #symbol
#define DORVA_NAME(symbol) DORVA_NAME_OF(symbol)
constexpr const char* kEntry = DORVA_NAME(DORVA_SPEECH_MODULE_ENTRY);

using Entry = platform::SpeechPlatform* (*)();

void Refuse(const std::string& why) {
    std::cerr << "DORVA II speech: " << why << "; the program runs without speech\n";
}

} // namespace

std::unique_ptr<platform::SpeechPlatform> LoadSpeechEngines() {
    const std::filesystem::path exeFolder(QCoreApplication::applicationDirPath().toStdString());
    const std::filesystem::path file = FindSpeechModule(exeFolder, DORVA_INSTALL_MODULEDIR);
    if (file.empty()) {
        Refuse(std::string(kSpeechModuleName) +
               " is neither beside the program nor in its installed folder " + DORVA_INSTALL_MODULEDIR);
        return nullptr;
    }
    // Never unloaded: the engines' threads and the voice outlive any one owner of the library.
    auto* module = new QLibrary(ui::NameToQt(file.string()), qApp);
    const auto entry = reinterpret_cast<Entry>(module->resolve(kEntry));
    if (entry == nullptr) {
        Refuse(file.string() + " cannot be loaded: " + module->errorString().toStdString());
        return nullptr;
    }
    return std::unique_ptr<platform::SpeechPlatform>(entry());
}

} // namespace dorva::app
