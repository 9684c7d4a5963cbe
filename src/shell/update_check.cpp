#include "shell/update_check.h"

#include <QRegularExpression>
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
    // A maintenance page or any other text is no version: only digits and dots are, with
    // blanks and line ends around the parts.
    static const QRegularExpression version(QStringLiteral("^\\s*[0-9]+\\s*(\\.\\s*[0-9]+\\s*)*$"));
    if (!version.match(remote).hasMatch())
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

ControlTexts NewVersionDialogTexts()
{
    using T = TextProperty;
    return ControlTexts({
        {QStringLiteral("Tfrm_NeueVersion"), T::Caption, QStringLiteral("Quorvanta Update")},
        {QStringLiteral("lbl_neueVersion"), T::Caption,
         QStringLiteral("Es wurde eine neue Version des Quorvanta gefunden.")},
        {QStringLiteral("lbl_download"), T::Caption, QStringLiteral("Download unter:")},
        {QStringLiteral("Label1"), T::Caption, QStringLiteral("-->")},
        {QStringLiteral("chk_neueVersion"), T::Caption,
         QStringLiteral("Diese Meldung nicht mehr anzeigen")},
        {QStringLiteral("btn_ok"), T::Caption, QStringLiteral("Download")},
        {QStringLiteral("btn_weiter"), T::Caption, QStringLiteral("Weiter")},
    });
}

ControlTexts AskForUpdateDialogTexts()
{
    using T = TextProperty;
    return ControlTexts({
        {QStringLiteral("Tfrm_AskForUpdate"), T::Caption,
         QStringLiteral("Quorvanta Internetupdate")},
        {QStringLiteral("chk_autoupdate"), T::Caption,
         QStringLiteral("Automatische Kursaktualisierung")},
        {QStringLiteral("btn_start"), T::Caption, QStringLiteral("Weiter")},
    });
}

QStringList AskForUpdateInfoLines()
{
    return {
        QStringLiteral("Mit dem Quorvanta bieten wir Ihnen die Möglichkeit, täglich die "),
        QStringLiteral("aktuellen Devisenkurse über das Internet zu aktualisieren. "),
        QString(),
        QStringLiteral("Geben Sie bitte an, ob diese Kursaktualisierung bei jedem Start "),
        QStringLiteral("des Quorvanta automatisch durchgeführt werden soll."),
        QString(),
        QStringLiteral("Sie können diese Einstellung auch noch später im Programm "),
        QStringLiteral("unter Währungen\\Einstellungen ändern."),
    };
}
