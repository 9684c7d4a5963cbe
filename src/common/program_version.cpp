#include "common/program_version.h"

#include <QStringList>

QString FileVersionText(const QString& version, bool withBuild)
{
    const QStringList parts = version.split(u'.');
    QStringList numbers;
    for (int i = 0; i < (withBuild ? 4 : 3); ++i) {
        bool ok = false;
        const uint number = parts.value(i).trimmed().toUInt(&ok);
        numbers.append(QString::number(ok ? number : 0));
    }
    return numbers.join(u'.');
}

QString ProgramVersionText(bool withBuild)
{
    return FileVersionText(QStringLiteral(QUORVANTA_VERSION), withBuild);
}
