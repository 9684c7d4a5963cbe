#include "platform/report_collectors.h"

#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>

#include <boost/stacktrace.hpp>

#include <link.h>

#include <sstream>

namespace {
QStringList stackLines(const std::vector<boost::stacktrace::frame>& stack)
{
    QStringList lines;
    for (const boost::stacktrace::frame& frame : stack) {
        // module, address, procedure, source file and line where known
        const QString name = QString::fromStdString(frame.name());
        const QString file = QString::fromStdString(frame.source_file());
        QString line = QStringLiteral("[%1] ").arg(reinterpret_cast<quintptr>(frame.address()), 16,
                                                   16, QLatin1Char('0'));
        line += name.isEmpty() ? QStringLiteral("??") : name;
        if (!file.isEmpty())
            line += QStringLiteral(" (%1:%2)").arg(file).arg(frame.source_line());
        lines.append(line);
    }
    return lines;
}
} // namespace

QStringList CurrentStackLines(int skip)
{
    const boost::stacktrace::stacktrace stack(static_cast<std::size_t>(skip) + 1, 128);
    return stackLines(stack.as_vector());
}

QStringList StackLines(void* const* frames, std::size_t count)
{
    std::vector<boost::stacktrace::frame> stack;
    for (std::size_t i = 0; i < count; ++i)
        stack.emplace_back(frames[i]);
    return stackLines(stack);
}

namespace {
QString cpuInfoValue(const QString& info, const QString& key)
{
    const QRegularExpression pattern(u'^' + QRegularExpression::escape(key) +
                                         QStringLiteral("\\s*:\\s*(.*)$"),
                                     QRegularExpression::MultilineOption);
    return pattern.match(info).captured(1).trimmed();
}

qint64 memInfoMb(const QString& info, const QString& key)
{
    const QRegularExpression pattern(u'^' + key + QStringLiteral(":\\s*(\\d+)"),
                                     QRegularExpression::MultilineOption);
    return pattern.match(info).captured(1).toLongLong() / 1024;
}

QString readProcFile(const char* path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()); // procfs files report no size: read to the end
}

int moduleEntry(dl_phdr_info* info, size_t, void* data)
{
    auto& modules = *static_cast<QList<ModuleFact>*>(data);
    ModuleFact module;
    module.base = static_cast<quintptr>(info->dlpi_addr);
    module.preferredBase = module.base;
    module.path = QString::fromLocal8Bit(info->dlpi_name);
    if (module.path.isEmpty())
        module.path = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    // Shared libraries carry their version in the file name ("libQt6Core.so.6.4.2").
    const auto version =
        QRegularExpression(QStringLiteral("\\.so\\.([0-9.]+)$")).match(module.path);
    if (version.hasMatch())
        module.version = version.captured(1);
    modules.append(module);
    return 0;
}
} // namespace

SystemFacts CollectSystemFacts()
{
    SystemFacts facts;
    facts.osName = QSysInfo::prettyProductName();
    facts.osEdition = QSysInfo::kernelType() + u' ' + QSysInfo::kernelVersion();
    const QStringList version = QSysInfo::productVersion().split(u'.');
    facts.majorVersion = version.value(0).toInt();
    facts.minorVersion = version.value(1).toInt();
    const QStringList kernel =
        QSysInfo::kernelVersion().split(QRegularExpression(QStringLiteral("[.-]")));
    facts.build = kernel.value(2).toUInt();
    facts.servicePack = QSysInfo::buildAbi();
    const QString cpu = readProcFile("/proc/cpuinfo");
    facts.cpuVendor = cpuInfoValue(cpu, QStringLiteral("vendor_id"));
    facts.cpuName = cpuInfoValue(cpu, QStringLiteral("model name"));
    facts.cpuMhz = qRound(cpuInfoValue(cpu, QStringLiteral("cpu MHz")).toDouble());
    QStringList features;
    const QStringList flags = cpuInfoValue(cpu, QStringLiteral("flags")).split(u' ');
    for (const char* wanted : {"mmx", "sse", "sse2", "sse4_2", "avx", "avx2"})
        if (flags.contains(QLatin1String(wanted)))
            features.append(QString::fromLatin1(wanted).toUpper());
    facts.cpuFeatures = features.join(u' ');
    const QString memory = readProcFile("/proc/meminfo");
    facts.memoryTotalMb = memInfoMb(memory, QStringLiteral("MemTotal"));
    facts.memoryFreeMb = memInfoMb(memory, QStringLiteral("MemAvailable"));
    return facts;
}

QList<ModuleFact> CollectModules()
{
    QList<ModuleFact> modules;
    dl_iterate_phdr(moduleEntry, &modules);
    return modules;
}
