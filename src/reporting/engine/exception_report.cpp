#include "reporting/engine/exception_report.h"

#include <algorithm>

namespace {
const QString kCrLf = QStringLiteral("\r\n");

QString hex8(quintptr value)
{
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0'));
}

void addLine(QString& report, const QString& line)
{
    report += line + kCrLf;
}
} // namespace

QString SeparatorLine()
{
    return QString(78, u'-');
}

QString MessageText(const QString& message)
{
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (!text.endsWith(u'.'))
        text += u'.';
    text.replace(u'\n', kCrLf);
    return text;
}

QString ReportHeader(const ErrorInfo& error)
{
    QString report;
    addLine(report, QStringLiteral("Exception class: %1").arg(error.className));
    if (error.thread)
        addLine(report, QStringLiteral("Thread: %1").arg(*error.thread));
    else
        addLine(report, QStringLiteral("Exception Addresse: %1").arg(hex8(error.address)));
    addLine(report, SeparatorLine());
    return report;
}

QString BuildReport(const ReportFacts& facts, int sections)
{
    QString report;
    if (sections & CallStack) {
        addLine(report, QStringLiteral("Stack list, generated %1")
                            .arg(facts.stackTaken.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"))));
        for (const QString& frame : facts.stack)
            addLine(report, frame);
        addLine(report, SeparatorLine());
    }
    if (sections & System) {
        const SystemFacts& s = facts.system;
        addLine(report, QStringLiteral("System   : %1 %2, Version: %3.%4, Build: %5, \"%6\"")
                            .arg(s.osName, s.osEdition)
                            .arg(s.majorVersion)
                            .arg(s.minorVersion)
                            .arg(s.build, 0, 16)
                            .arg(s.servicePack));
        addLine(report, QStringLiteral("Prozessor: %1, %2, %3 MHz %4")
                            .arg(s.cpuVendor, s.cpuName)
                            .arg(s.cpuMhz)
                            .arg(s.cpuFeatures));
        addLine(report, QStringLiteral("Speicher : %1 MB, frei: %2 MB")
                            .arg(s.memoryTotalMb)
                            .arg(s.memoryFreeMb));
        addLine(report, QStringLiteral("Anzeige  : %1x%2 pixels, %3 bpp")
                            .arg(s.screenWidth)
                            .arg(s.screenHeight)
                            .arg(s.bitsPerPixel));
        addLine(report, SeparatorLine());
    }
    if (sections & Modules) {
        addLine(report, QStringLiteral("Liste der geladenen Module:"));
        QList<ModuleFact> modules = facts.modules;
        std::stable_sort(modules.begin(), modules.end(),
                         [](const ModuleFact& a, const ModuleFact& b) { return a.base < b.base; });
        for (const ModuleFact& module : modules) {
            addLine(report, QStringLiteral("[%1] %2").arg(hex8(module.base), module.path));
            const QString info = module.version.isEmpty() && module.description.isEmpty()
                                     ? QStringLiteral("(keine Versionsinformationen)")
                                     : (module.version + u' ' + module.description).trimmed();
            const QString lead = module.preferredBase != module.base
                                     ? QStringLiteral("<%1> ").arg(hex8(module.preferredBase))
                                     : QString(11, u' ');
            addLine(report, lead + info);
        }
        addLine(report, SeparatorLine());
    }
    if (sections & ActiveControls) {
        addLine(report, QStringLiteral("Hierarchie der aktiven Steuerelemente:"));
        for (const ControlFact& control : facts.controls)
            addLine(report, QStringLiteral("%1 \"%2\"").arg(control.className, control.name));
        addLine(report, SeparatorLine());
    }
    return report;
}

QList<std::pair<QString, QString>> ReportFields(const QString& report, const QString& message,
                                                const QString& program, const QString& version)
{
    return {{QStringLiteral("Stack"), report},
            {QStringLiteral("ErrorMessage"), message},
            {QStringLiteral("Programm"), program},
            {QStringLiteral("Version"), version}};
}

SendResult SendOutcome(bool posted, const QByteArray& answer)
{
    if (!posted)
        return SendResult::MessageAndStayOpen;
    return answer.isEmpty() ? SendResult::MessageThenClose : SendResult::Close;
}

std::optional<CrashReport> ParseCrashFile(const QByteArray& contents)
{
    const QString text = QString::fromUtf8(contents);
    const qsizetype end = text.indexOf(u'\n');
    if (text.trimmed().isEmpty() || end < 0)
        return std::nullopt;
    QString report = text.mid(end + 1);
    report.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    report.replace(u'\n', kCrLf);
    return CrashReport{text.left(end).trimmed(), report};
}

ControlTexts& ExceptionDialogControlTexts()
{
    using P = TextProperty;
    static ControlTexts texts({
        {QStringLiteral("TextLabel"), P::Hint,
         QStringLiteral("Use Ctrl+C to copy the report to the clipboard")},
        {QStringLiteral("OkBtn"), P::Caption, QStringLiteral("&OK")},
        {QStringLiteral("SendBtn"), P::Caption, QStringLiteral("&Senden")},
        {QStringLiteral("SendBtn"), P::Hint, QStringLiteral("Fehlermeldung senden")},
        {QStringLiteral("DetailsBtn"), P::Caption, QStringLiteral("&Details")},
        {QStringLiteral("DetailsBtn"), P::Hint,
         QStringLiteral("Weitere Informationen zeigen/verstecken")},
        {QStringLiteral("btn_crash"), P::Caption, QStringLiteral("&Beenden")},
        {QStringLiteral("chk_project"), P::Caption, QStringLiteral("Aktuelles Projekt mitsenden")},
    });
    return texts;
}

ExceptionDialogStrings& ExceptionStrings()
{
    static ExceptionDialogStrings strings;
    return strings;
}

QString DialogCaption(const QString& title)
{
    QString caption = ExceptionStrings().caption;
    return caption.replace(QStringLiteral("%s"), title);
}

QString DetailsCaption(const QString& base, bool unfolded)
{
    return unfolded ? ExceptionStrings().unfolded + base : base + ExceptionStrings().folded;
}
