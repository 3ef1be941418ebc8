#include "voice/engine/SpeechEngines.h"

#include "voice/engine/EspeakVoice.h"
#include "voice/engine/PulseStreams.h"
#include "voice/engine/RecoEngine.h"

#include <iostream>
#include <vector>

namespace dorva::voice::engine {
namespace {

class EnginePlatform final : public platform::SpeechPlatform {
public:
    explicit EnginePlatform(EngineSettings settings)
        : settings_(std::move(settings)), gate_(std::make_shared<PlaybackGate>()) {}

    // The voice and the context may outlive the platform (they are the program's globals); their
    // threads end here all the same, and they stay behind inert.
    ~EnginePlatform() override {
        for (const std::weak_ptr<Stoppable>& worker : workers_) {
            if (const std::shared_ptr<Stoppable> alive = worker.lock()) {
                alive->Stop();
            }
        }
        DropEchoCanceller();
    }

    long CreateVoice(std::unique_ptr<platform::Voice>& voice) override {
        std::shared_ptr<Stoppable> control;
        std::string detail;
        const long error = CreateEspeakVoice(settings_.voiceName, gate_, voice, control, detail);
        return Done("creating the voice", error, detail, control);
    }

    long CreateSharedRecoContext(std::unique_ptr<platform::RecoContext>& context) override {
        std::shared_ptr<Stoppable> control;
        std::string detail;
        const long error = CreateEngineRecoContext(settings_, gate_, context, control, detail);
        return Done("creating the recognition context", error, detail, control);
    }

private:
    long Done(const char* what, long error, const std::string& detail,
              const std::shared_ptr<Stoppable>& control) {
        if (error != 0) {
            std::cerr << "DORVA II speech: " << what << " failed with error " << error << ": " << detail
                      << "\n";
            return error;
        }
        workers_.push_back(control);
        return 0;
    }

    EngineSettings settings_;
    std::shared_ptr<PlaybackGate> gate_;
    std::vector<std::weak_ptr<Stoppable>> workers_;
};

} // namespace

EngineSettings DefaultEngineSettings() {
    EngineSettings settings;
    settings.modelFolder = DORVA_SPEECH_MODEL_FOLDER;
    return settings;
}

std::unique_ptr<platform::SpeechPlatform> CreateSpeechEngines() {
    return CreateSpeechEngines(DefaultEngineSettings());
}

std::unique_ptr<platform::SpeechPlatform> CreateSpeechEngines(const EngineSettings& settings) {
    return std::make_unique<EnginePlatform>(settings);
}

} // namespace dorva::voice::engine
