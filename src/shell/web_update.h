// The update from the maker's host: the rate file "kurse.txt", then the check for a newer
// version of the program.
//
// The rate file is replaced only by a download that succeeded and reads as a complete rate
// file; whatever happens, the rates are then loaded from the file there is (the built-in
// ones when there is none). The version check downloads "version_temp.txt", compares, and
// deletes the file again. Failures are silent. The start-up update runs without blocking;
// the update button's waits in a local event loop while its notice shows.
#pragma once

#include "shell/platform/web_client.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

class WebUpdate : public QObject {
    Q_OBJECT
public:
    // What the update needs from the program around it.
    struct Hooks {
        std::function<void(bool suspended)> suspendAlwaysOnTop; // the dialog must come to the front
        std::function<void(bool shown)> notice; // "… Internetaktualisierung läuft..."
        std::function<void()> loadRates;        // read "kurse.txt" into the page
        std::function<bool()> searchNewVersion; // "SearchNewVersion"
        std::function<void()> stopSearching;    // "SearchNewVersion" := false
        std::function<void(const QUrl& page)> openPage;
        std::function<void()> endProgram;
        QPointer<QWidget> dialogParent;
    };

    WebUpdate(WebClient& client, WebHosts hosts, QString programFolder, QString localVersion,
              Hooks hooks, QObject* parent = nullptr);

    void SetHosts(const WebHosts& hosts) { m_hosts = hosts; }

    // UpdateExchangeRates; with `wait` it returns when all is done.
    void UpdateExchangeRates(bool wait);
    bool IsRunning() const { return m_running; }

    // The page offered when a newer version exists.
    QUrl DownloadPage() const;

signals:
    void Finished();

private:
    void ratesDownloaded();
    void checkForNewVersion();
    void versionDownloaded(TransferOutcome outcome);
    void finish();

    WebClient& m_client;
    WebHosts m_hosts;
    QString m_folder;
    QString m_localVersion;
    Hooks m_hooks;
    bool m_running = false;
};
