// The settings steps of the program's start, on the settings store: the defaults, the first
// start after an installation, the language, the three check-box choices and the proxy.
#pragma once

#include "platform/proxy_address.h"
#include "platform/settings_store.h"
#include "shell/start_rules.h"

struct SettingsAtStart {
    // False when the store could not be opened or its first default cannot be written: the check
    // boxes that need write access (chk_kursupdate, chk_autostart) are then hidden.
    bool writable = true;
    // "FirstStart" was there (and is gone now): the first-start question and the currency
    // page come first.
    bool firstStart = false;
    int language = GermanLanguage;
};

// Finds the missing defaults (the store writes them later; reads see them at once), takes and
// deletes "FirstStart", and finds the language: the
// stored "Language", or the system's language name when that is missing or unreadable, or at
// the first start.
SettingsAtStart RestoreSettings(SettingsStore& store, const QString& systemLanguageName);

// The choices of the three check boxes of gbo_einstellungen.
struct StoredChoices {
    bool autoUpdate = false;
    bool alwaysOnTop = false;
    bool autoStart = false;
};
// Reads "AutoUpdate", "AlwaysOnTop" and "AutoStart" into `choices`; a value that cannot be
// read keeps what `choices` held, and costs none of the others.
void LoadSettings(const SettingsStore& store, StoredChoices& choices);

// Stores the language's name; a code without a name stores nothing.
void SaveLanguage(SettingsStore& store, int code);

// The SOCKS proxy for the program's web transfers: from the Internet settings when the store
// has "ProxyEnable", otherwise from the environment's all_proxy text.
std::optional<ProxyAddress> ReadProxySettings(const SettingsStore& store, const QString& allProxy);
