#include "update_check.h"

#include <QStringList>

namespace {

int partValue(const QString& part)
{
    bool ok = false;
    const int value = part.trimmed().toInt(&ok);
    return ok ? value : 1;
}

} // namespace

bool RemoteVersionIsNewer(const QString& local, const QString& remote)
{
    if (remote.size() > MaxVersionTextLength)
        return false;
    const QStringList ours = local.split(u'.');
    const QStringList theirs = remote.split(u'.');
    for (qsizetype i = 0; i < ours.size() && i < theirs.size(); ++i) {
        const int mine = partValue(ours[i]);
        const int other = partValue(theirs[i]);
        if (mine != other)
            return mine < other;
    }
    return false;
}
