#include "platform/sound_player.h"

#include "platform/program_folder.h"
#include "platform/program_module.h"

#include <QFileInfo>

namespace {
bool& moduleLoaded()
{
    static bool loaded = false;
    return loaded;
}
} // namespace

void SoundPlayer::PlaySoundNumber(int n)
{
    PlayFile(ProgramFolder::FilePath(SoundFileName(n)));
}

void SoundPlayer::PlayFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return;
    if (!m_triedModule) {
        m_triedModule = true;
        m_playWave = reinterpret_cast<PlayWave>(
            ResolveModuleFunction("quorvanta_sound", "QuorvantaPlayWave"));
        moduleLoaded() = m_playWave != nullptr;
    }
    if (m_playWave)
        m_playWave(path);
}

bool SoundPlayer::AudioLoaded()
{
    return moduleLoaded();
}

QString SoundFileName(int n)
{
    switch (n) {
    case 1:
        return QStringLiteral("hammer.wav");
    case 2:
        return QStringLiteral("error.wav");
    case 3:
        return QStringLiteral("explos.wav");
    default:
        return QStringLiteral("hinweis.wav");
    }
}
