#pragma once
// The voice commands reach the screens here, the one place that knows them all.

#include "platform/SpeechPlatform.h"
#include "voice/Dispatcher.h"

namespace dorva::app {

// Runs each command's operation on its screen (created hidden when it is not open) and sets the
// set-up screen's speech boxes.
class ScreenCommands final : public voice::CommandTarget {
public:
    void Run(voice::Operation operation) override;
    void RunLookUp(voice::Operation lookUp, int dr) override;
    void SetSpeakBox(bool on) override;
    void SetRecognizeBox(bool on) override;
};

// Hands a recognition to the dispatcher. The speech engines deliver their events one at a time, also
// when a message box of one command is open as the next arrives (voice/SerialDelivery.h), so the
// dispatcher is never entered twice.
void DeliverRecognition(const platform::RecoResult& result);

// Makes the recognition context's recognitions reach DeliverRecognition (when recognition was set up).
void InstallVoiceCommands();

} // namespace dorva::app
