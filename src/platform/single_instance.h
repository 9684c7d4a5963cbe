// One running program per user: a lock file and a local socket in the user's runtime folder.
// The first start holds the lock and, once its window is up, listens; a second start finds the
// lock taken, asks the first to show its main window, and ends. A lock left by a killed process
// is stale and is taken over. The socket is a plain Unix-domain one where the system has them,
// so a start loads no network library for it.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class LocalChannel;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `name` names the lock and the socket; `folder` empty means the runtime folder.
    explicit SingleInstance(const QString& name, const QString& folder = QString(),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only instance (or the lock cannot be made at all, which must not
    // keep the program from starting).
    bool Claim();
    // For the instance that claimed the lock: listens for later starts. A later start keeps
    // trying to reach it meanwhile.
    void Listen();
    // For a start that found the lock taken: asks the first instance to show itself. False
    // when it could not be reached in time.
    bool AskFirstToShow(int timeoutMs = 3000);

signals:
    // A later start asked this instance to show its main window.
    void ShowRequested();

private:
    QString m_socketName;
    QLockFile m_lock;
    bool m_claimed = false;
    std::unique_ptr<LocalChannel> m_channel;
};
