#include "shell/text_inventory.h"

#include "pipes/ui/pipe_windows.h"
#include "reporting/ui/exception_dialog.h"
#include "shell/main_window.h"
#include "shell/update_dialogs.h"

#include <QFile>
#include <QTabWidget>

QList<ShownText> GermanTextInventory(MainWindow& main, QWidget* tape, QStringList* unnamed)
{
    QTabWidget* pages = main.Pages();
    const int shown = pages->currentIndex();
    for (int i = 0; i < pages->count(); ++i)
        pages->setCurrentIndex(i);
    pages->setCurrentIndex(shown);

    QList<ShownText> texts = CollectShownTexts(main, unnamed);
    if (tape)
        texts += CollectShownTexts(*tape, unnamed);
    texts += CollectShownTexts(main.Messages().Dialog(), unnamed);
    NewVersionDialog newVersion{QUrl()};
    texts += CollectShownTexts(newVersion, unnamed);
    UpdateQuestionDialog askForUpdate;
    texts += CollectShownTexts(askForUpdate, unnamed);
    ErrorReportDialog error(ErrorInfo::Of(QString(), QString()), ReportingSetup(), true, nullptr);
    texts += CollectShownTexts(error, unnamed);

    PipeDimensionsWindow dimensions;
    texts += CollectShownTexts(dimensions, unnamed);
    PipeChartWindow chart;
    texts += CollectShownTexts(chart, unnamed);
    ZetaPickerWindow zeta;
    texts += CollectShownTexts(zeta, unnamed);

    for (const RuntimeArray& array : GermanRuntimeArrays())
        for (int i = 0; i < array.german.size(); ++i)
            if (IsWordText(array.german[i]))
                texts.append({QString(), array.key, PropertyKind::Undefined, i, array.german[i]});
    return texts;
}

bool WriteTextInventory(const QList<ShownText>& texts, const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray out("form\tcomponent\tproperty\tindex\tgerman\n");
    for (const ShownText& t : texts) {
        QString text = t.text;
        text.replace(u'\t', u' ').replace(u'\n', QStringLiteral("\\n"));
        const QString property = t.form.isEmpty() ? QString() : PropertyKindName(t.property);
        out += (t.form + u'\t' + t.component + u'\t' + property + u'\t' + QString::number(t.index) +
                u'\t' + text + u'\n')
                   .toUtf8();
    }
    return file.write(out) == out.size();
}
