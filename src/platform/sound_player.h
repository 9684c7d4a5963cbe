// The program's sounds: wave files of the program folder, played without waiting. The audio
// stack (Qt Multimedia and the sound server's library) lives in the module quorvanta_sound,
// loaded with the first sound, so a start that plays nothing loads none of it. A missing
// file, module or device is silent.
#pragma once

#include <QString>

// The wave file of sound n: 1 "hammer.wav", 2 "error.wav", 3 "explos.wav", 4 "hinweis.wav";
// every other number plays "hinweis.wav".
QString SoundFileName(int n);

class SoundPlayer {
public:
    // Sound n: 1 "hammer.wav", 2 "error.wav", 3 "explos.wav", 4 (and any other) "hinweis.wav".
    void PlaySoundNumber(int n);
    void PlayFile(const QString& path);

    // Whether the module has been loaded in this process.
    static bool AudioLoaded();

private:
    using PlayWave = void (*)(const QString& path);
    PlayWave m_playWave = nullptr;
    bool m_triedModule = false;
};
