#include "web_update.h"

#include "conversion/exchange_rate_file.h"
#include "update_check.h"
#include "update_dialogs.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>

namespace {

const QString kRatePath = QStringLiteral("/Quorvanta/Kursupdate.ashx");
const QString kVersionPath = QStringLiteral("/quorvanta/version.txt");
const QString kDownloadPagePath = QStringLiteral("/quorvanta/download.html");

// An error page or a cut-off file must not replace the last good rates.
bool isCompleteRateFile(const QByteArray& body)
{
    return ParseExchangeRates(body).outcome == RateFileOutcome::Loaded;
}

} // namespace

WebUpdate::WebUpdate(WebClient& client, WebHosts hosts, QString programFolder, QString localVersion,
                     Hooks hooks, QObject* parent)
    : QObject(parent), m_client(client), m_hosts(std::move(hosts)),
      m_folder(std::move(programFolder)), m_localVersion(std::move(localVersion)),
      m_hooks(std::move(hooks))
{}

QUrl WebUpdate::DownloadPage() const
{
    return WebHosts::At(m_hosts.update, kDownloadPagePath);
}

void WebUpdate::UpdateExchangeRates(bool wait)
{
    if (m_running)
        return;
    m_running = true;
    if (m_hooks.suspendAlwaysOnTop)
        m_hooks.suspendAlwaysOnTop(true);
    if (m_hooks.notice)
        m_hooks.notice(true);
    QEventLoop loop;
    if (wait)
        connect(this, &WebUpdate::Finished, &loop, &QEventLoop::quit);
    m_client.DownloadToFile(WebHosts::At(m_hosts.update, kRatePath),
                            QDir(m_folder).filePath(QStringLiteral("kurse.txt")),
                            isCompleteRateFile, [this](TransferOutcome) { ratesDownloaded(); });
    if (wait && m_running)
        loop.exec();
}

void WebUpdate::ratesDownloaded()
{
    // Loaded whatever the download did: the new file, the last good one, or none at all
    // (the built-in rates).
    if (m_hooks.loadRates)
        m_hooks.loadRates();
    if (m_hooks.notice)
        m_hooks.notice(false);
    checkForNewVersion();
}

void WebUpdate::checkForNewVersion()
{
    if (!m_hooks.searchNewVersion || !m_hooks.searchNewVersion()) {
        finish();
        return;
    }
    m_client.DownloadToFile(WebHosts::At(m_hosts.update, kVersionPath),
                            QDir(m_folder).filePath(QStringLiteral("version_temp.txt")), {},
                            [this](TransferOutcome outcome) { versionDownloaded(outcome); });
}

void WebUpdate::versionDownloaded(TransferOutcome outcome)
{
    QFile temporary(QDir(m_folder).filePath(QStringLiteral("version_temp.txt")));
    QString remote;
    if (outcome == TransferOutcome::Done && temporary.open(QIODevice::ReadOnly)) {
        remote = QString::fromLatin1(temporary.read(MaxVersionTextLength + 1));
        temporary.close();
    }
    temporary.remove();
    if (outcome == TransferOutcome::Done && RemoteVersionIsNewer(m_localVersion, remote)) {
        // Created for this check and dropped after it: the next one makes a new dialog.
        Tfrm_NeueVersion dialog(DownloadPage(), m_hooks.dialogParent);
        dialog.OpenPage = m_hooks.openPage;
        dialog.EndProgram = m_hooks.endProgram;
        dialog.StopSearching = m_hooks.stopSearching;
        dialog.exec();
    }
    finish();
}

void WebUpdate::finish()
{
    if (m_hooks.suspendAlwaysOnTop)
        m_hooks.suspendAlwaysOnTop(false);
    m_running = false;
    emit Finished();
}
