// quorvanta-service: stands in for the maker's update and report hosts.
//
//   quorvanta-service --port N --folder DIR --database FILE   serve and store reports
//   quorvanta-service --database FILE --list-reports          print the stored reports
//   quorvanta-service --import-rates XML --folder DIR         write DIR/kurse.txt
#include "currency/engine/exchange_rate_file.h"
#include "report_store.h"
#include "web_service.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

void print(const QString& text)
{
    QTextStream(stdout) << text << Qt::endl;
}

void printError(const QString& text)
{
    QTextStream(stderr) << "quorvanta-service: " << text << Qt::endl;
}

int listReports(const QString& database)
{
    const ReportStore store(database);
    if (!store.IsOpen()) {
        printError(QStringLiteral("cannot open %1: %2").arg(database, store.Error()));
        return 1;
    }
    for (const ErrorReport& r : store.All()) {
        print(QStringLiteral("Report %1, received %2").arg(r.id).arg(r.received));
        print(QStringLiteral("  Programm: ") + r.program);
        print(QStringLiteral("  Version: ") + r.version);
        print(QStringLiteral("  ErrorMessage: ") + r.errorMessage);
        print(QStringLiteral("  Stack: ") +
              QString(r.stack).replace(u'\n', QStringLiteral("\n    ")));
    }
    return 0;
}

int importRates(const QString& xmlFile, const QString& folder)
{
    QFile xml(xmlFile);
    if (!xml.open(QIODevice::ReadOnly)) {
        printError(QStringLiteral("cannot read %1").arg(xmlFile));
        return 1;
    }
    // Currencies the bank does not quote keep the rates the folder's file has now.
    const ExchangeRates previous = LoadExchangeRates(folder);
    const auto imported = ImportReferenceRates(xml.read(4 * 1024 * 1024), previous);
    if (!imported) {
        printError(QStringLiteral("%1 holds no reference rates with a date").arg(xmlFile));
        return 1;
    }
    QSaveFile out(QDir(folder).filePath(QStringLiteral("kurse.txt")));
    if (!out.open(QIODevice::WriteOnly) || out.write(WriteExchangeRates(*imported)) < 0 ||
        !out.commit()) {
        printError(QStringLiteral("cannot write %1").arg(out.fileName()));
        return 1;
    }
    print(QStringLiteral("%1 written, rates of %2").arg(out.fileName(), imported->date));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvanta-service"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Stands in for the maker's hosts: serves kurse.txt and version.txt from a folder "
        "and stores posted error reports in an SQLite database. Listens on 127.0.0.1 only."));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port to listen on."),
                                  QStringLiteral("N"), QString::number(WebService::DefaultPort));
    const QCommandLineOption folder(QStringLiteral("folder"),
                                    QStringLiteral("Folder with kurse.txt and version.txt."),
                                    QStringLiteral("DIR"), QStringLiteral("."));
    const QCommandLineOption database(QStringLiteral("database"),
                                      QStringLiteral("SQLite file the reports are kept in."),
                                      QStringLiteral("FILE"), QStringLiteral("reports.sqlite"));
    const QCommandLineOption list(QStringLiteral("list-reports"),
                                  QStringLiteral("Print the stored reports and exit."));
    const QCommandLineOption import(
        QStringLiteral("import-rates"),
        QStringLiteral("Write FOLDER/kurse.txt from a central bank's euro reference-rate XML."),
        QStringLiteral("XML"));
    parser.addOptions({port, folder, database, list, import});
    parser.process(app);

    if (parser.isSet(list))
        return listReports(parser.value(database));
    if (parser.isSet(import))
        return importRates(parser.value(import), parser.value(folder));

    bool portOk = false;
    const uint wanted = parser.value(port).toUInt(&portOk);
    if (!portOk || wanted > 65535) {
        printError(QStringLiteral("--port needs a number from 0 to 65535"));
        return 2;
    }
    ReportStore store(parser.value(database));
    if (!store.IsOpen()) {
        printError(QStringLiteral("cannot open %1: %2").arg(parser.value(database), store.Error()));
        return 1;
    }
    WebService service(parser.value(folder), store);
    const quint16 listening = service.Listen(quint16(wanted));
    if (listening == 0) {
        printError(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(wanted));
        return 1;
    }
    // Tests start the service on port 0 and read the port it got from this line.
    print(QStringLiteral("listening on http://127.0.0.1:%1").arg(listening));
    return QCoreApplication::exec();
}
