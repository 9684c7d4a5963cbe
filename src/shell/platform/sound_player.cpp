#include "sound_player.h"

#include "program_folder.h"
#include "shell/message_rules.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

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
        // The module sits beside the executable, wherever the data files are.
        QLibrary module(QCoreApplication::applicationDirPath() +
                        QStringLiteral("/quorvanta_sound"));
        // Its sound effects live as long as the application: it must never be unloaded.
        module.setLoadHints(QLibrary::PreventUnloadHint);
        m_playWave = reinterpret_cast<PlayWave>(module.resolve("QuorvantaPlayWave"));
        moduleLoaded() = m_playWave != nullptr;
    }
    if (m_playWave)
        m_playWave(path);
}

bool SoundPlayer::AudioLoaded()
{
    return moduleLoaded();
}
