#include "shell/startup_settings.h"

using Key = SettingsStore::Key;

SettingsAtStart RestoreSettings(SettingsStore& store, const QString& systemLanguageName)
{
    SettingsAtStart result;
    if (!store.CanOpen()) {
        result.writable = false;
        return result;
    }
    result.writable = store.FindMissingDefaults();
    QString languageText;
    if (store.Contains(Key::FirstStart)) {
        result.firstStart = true;
        languageText = systemLanguageName;
        store.Remove(Key::FirstStart);
    } else {
        languageText = store.Text(Key::Language).value_or(systemLanguageName);
    }
    result.language = LanguageFromText(languageText);
    return result;
}

void LoadSettings(const SettingsStore& store, StoredChoices& choices)
{
    choices.autoUpdate = store.Bool(Key::AutoUpdate).value_or(choices.autoUpdate);
    choices.alwaysOnTop = store.Bool(Key::AlwaysOnTop).value_or(choices.alwaysOnTop);
    choices.autoStart = store.Bool(Key::AutoStart).value_or(choices.autoStart);
}

void SaveLanguage(SettingsStore& store, int code)
{
    const QString name = LanguageName(code);
    if (!name.isEmpty())
        store.SetText(Key::Language, name);
}

std::optional<ProxyAddress> ReadProxySettings(const SettingsStore& store, const QString& allProxy)
{
    if (!store.Contains(Key::ProxyEnable))
        return ParseAllProxy(allProxy);
    if (!store.Bool(Key::ProxyEnable).value_or(false))
        return std::nullopt;
    return ParseProxyServer(store.Text(Key::ProxyServer).value_or(QString()));
}
