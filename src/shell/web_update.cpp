#include "web_update.h"

#include "conversion/exchange_rate_file.h"
#include "platform/program_folder.h"
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
bool isSoundRateFile(const QByteArray& body)
{
    return ParseDownloadedRates(body).has_value();
}

} // namespace

RateUpdateResult RateUpdateResultOf(TransferOutcome outcome)
{
    switch (outcome) {
    case TransferOutcome::Done:
        return RateUpdateResult::Loaded;
    case TransferOutcome::Failed:
        return RateUpdateResult::NoConnection;
    case TransferOutcome::TimedOut:
        return RateUpdateResult::NoAnswer;
    case TransferOutcome::HttpError:
    case TransferOutcome::TooLarge:
    case TransferOutcome::Refused:
        return RateUpdateResult::InvalidAnswer;
    case TransferOutcome::CannotWrite:
        return RateUpdateResult::CannotWrite;
    }
    return RateUpdateResult::NoConnection;
}

WebUpdate::WebUpdate(WebClient& client, WebHosts hosts, QString dataFolder, QString localVersion,
                     Hooks hooks, QObject* parent)
    : QObject(parent), m_client(client), m_hosts(std::move(hosts)), m_folder(std::move(dataFolder)),
      m_localVersion(std::move(localVersion)), m_hooks(std::move(hooks))
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
    const auto done = [this](TransferOutcome outcome) { ratesDownloaded(outcome); };
    const QString target = filePath(QStringLiteral("kurse.txt"));
    if (!m_hosts.update.isEmpty()) {
        m_client.DownloadToFile(WebHosts::At(m_hosts.update, kRatePath), target, isSoundRateFile,
                                done);
    } else {
        // The bank quotes fewer currencies than the grid has: the others keep their rates.
        const QString folder = m_folder;
        m_client.DownloadConverted(
            m_hosts.referenceRates, target,
            [folder](const QByteArray& xml) -> std::optional<QByteArray> {
                const auto rates = ImportReferenceRates(
                    xml, LoadUserOrDeliveredRates(folder, ProgramFolder::Path()));
                if (!rates)
                    return std::nullopt;
                return WriteExchangeRates(*rates);
            },
            done);
    }
    if (wait && m_running)
        loop.exec();
}

void WebUpdate::ratesDownloaded(TransferOutcome outcome)
{
    // Only new rates are loaded: after a failure the page keeps what it shows, hand-typed
    // rates included.
    if (outcome == TransferOutcome::Done && m_hooks.loadRates)
        m_hooks.loadRates();
    if (m_hooks.outcome)
        m_hooks.outcome(RateUpdateResultOf(outcome));
    if (m_hooks.notice)
        m_hooks.notice(false);
    checkForNewVersion();
}

QString WebUpdate::filePath(const QString& name) const
{
    return QDir(m_folder).filePath(name);
}

void WebUpdate::checkForNewVersion()
{
    // The version file lives on the maker's host only; without one there is nothing to ask.
    if (m_hosts.update.isEmpty() || !m_hooks.searchNewVersion || !m_hooks.searchNewVersion()) {
        finish();
        return;
    }
    m_client.DownloadToFile(WebHosts::At(m_hosts.update, kVersionPath),
                            filePath(QStringLiteral("version_temp.txt")), {},
                            [this](TransferOutcome outcome) { versionDownloaded(outcome); });
}

void WebUpdate::versionDownloaded(TransferOutcome outcome)
{
    QFile temporary(filePath(QStringLiteral("version_temp.txt")));
    QString remote;
    if (outcome == TransferOutcome::Done && temporary.open(QIODevice::ReadOnly)) {
        remote = QString::fromLatin1(temporary.read(MaxVersionTextLength + 1));
        temporary.close();
    }
    temporary.remove();
    if (outcome == TransferOutcome::Done && RemoteVersionIsNewer(m_localVersion, remote)) {
        // Created for this check and dropped after it: the next one makes a new dialog.
        NewVersionDialog dialog(DownloadPage(), m_hooks.dialogParent);
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
