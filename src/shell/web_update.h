// The update of the exchange rates, then the check for a newer version of the program.
//
// The rates come from the update host's "kurse.txt" when one is configured, else from the
// central bank's daily reference XML, which becomes a rate file of the same layout. Either
// replaces the user's own "kurse.txt" (in the user's data folder) only when it is sound; a
// failed or refused update leaves the file and the rates on screen as they were, and says
// why. The version check runs only against a configured update host: it downloads
// "version_temp.txt" into the user's data folder, compares, and deletes the file again.
// The start-up update runs without blocking; the update button's waits in a local event
// loop while its notice shows.
#pragma once

#include "currency/engine/rate_status.h"
#include "platform/web_client.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

// What an update came to, for the date label's hint and the button's notice.
RateUpdateResult RateUpdateResultOf(TransferOutcome outcome);

class WebUpdate : public QObject {
    Q_OBJECT
public:
    // What the update needs from the program around it.
    struct Hooks {
        std::function<void(bool suspended)> suspendAlwaysOnTop; // the dialog must come to the front
        std::function<void(bool shown)> notice; // "… Internetaktualisierung läuft..."
        std::function<void()> loadRates;        // read the user's "kurse.txt" into the page
        std::function<void(RateUpdateResult result)> outcome; // what the download came to
        std::function<bool()> searchNewVersion;               // "SearchNewVersion"
        std::function<void()> stopSearching;                  // "SearchNewVersion" := false
        std::function<void(const QUrl& page)> openPage;
        std::function<void()> endProgram;
        QPointer<QWidget> dialogParent;
    };

    // `dataFolder`: the user's own folder, where "kurse.txt" is written.
    WebUpdate(WebClient& client, WebHosts hosts, QString dataFolder, QString localVersion,
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
    void ratesDownloaded(TransferOutcome outcome);
    void checkForNewVersion();
    void versionDownloaded(TransferOutcome outcome);
    void finish();
    QString filePath(const QString& name) const;

    WebClient& m_client;
    WebHosts m_hosts;
    QString m_folder;
    QString m_localVersion;
    Hooks m_hooks;
    bool m_running = false;
};
