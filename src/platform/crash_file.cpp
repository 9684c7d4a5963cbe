#include "platform/crash_file.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <csignal>
#include <cstring>
#include <ctime>

#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr int kSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};
char crashPath[4096] = {};
alignas(16) char alternateStack[64 * 1024];

// Only write(2) and stack buffers below: the heap may be what broke.
void put(int fd, const char* text)
{
    const ssize_t ignored = write(fd, text, std::strlen(text));
    (void)ignored;
}

void putNumber(int fd, unsigned long value, int base, int width)
{
    char digits[32];
    int n = 0;
    do {
        digits[n++] = "0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0 && n < 32);
    while (n < width && n < 32)
        digits[n++] = '0';
    char out[33];
    for (int i = 0; i < n; ++i)
        out[i] = digits[n - 1 - i];
    out[n] = '\0';
    put(fd, out);
}

const char* signalName(int signal)
{
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGABRT:
        return "SIGABRT";
    case SIGBUS:
        return "SIGBUS";
    case SIGFPE:
        return "SIGFPE";
    case SIGILL:
        return "SIGILL";
    default:
        return "?";
    }
}

// The UTC date and time of `seconds` since 1970 as "dd.MM.yyyy HH:mm:ss".
void putTime(int fd, long seconds)
{
    long days = seconds / 86400;
    const long rest = seconds % 86400;
    // days to civil date (proleptic Gregorian)
    days += 719468;
    const long era = days / 146097;
    const long doe = days - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long day = doy - (153 * mp + 2) / 5 + 1;
    const long month = mp < 10 ? mp + 3 : mp - 9;
    const long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    putNumber(fd, day, 10, 2);
    put(fd, ".");
    putNumber(fd, month, 10, 2);
    put(fd, ".");
    putNumber(fd, year, 10, 4);
    put(fd, " ");
    putNumber(fd, rest / 3600, 10, 2);
    put(fd, ":");
    putNumber(fd, rest / 60 % 60, 10, 2);
    put(fd, ":");
    putNumber(fd, rest % 60, 10, 2);
    put(fd, " UTC");
}

void onFatalSignal(int signal, siginfo_t* info, void*)
{
    const int fd = open(crashPath, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd >= 0) {
        const char* separator =
            "------------------------------------------------------------------------------\n";
        put(fd, "Signal ");
        put(fd, signalName(signal));
        put(fd, "\nException class: ");
        put(fd, signalName(signal));
        put(fd, "\nException Addresse: ");
        putNumber(fd, reinterpret_cast<unsigned long>(info ? info->si_addr : nullptr), 16, 8);
        put(fd, "\n");
        put(fd, separator);
        put(fd, "Stack list, generated ");
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        putTime(fd, now.tv_sec);
        put(fd, "\n");
        void* frames[64];
        const int count = backtrace(frames, 64);
        backtrace_symbols_fd(frames, count, fd);
        put(fd, separator);
        close(fd);
    }
    // The handler was reset on entry: the signal now ends the program as it would have.
    raise(signal);
}
} // namespace

QString DefaultCrashFilePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("crash-report.txt"));
}

void InstallCrashHandler(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    std::strncpy(crashPath, bytes.constData(), sizeof crashPath - 1);
    // The first backtrace loads the unwinder; the handler must not be the one to do that.
    void* warmUp[2];
    backtrace(warmUp, 2);
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    sigaltstack(&stack, nullptr); // a stack overflow still gets its report
    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_RESETHAND | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

void RemoveCrashHandler()
{
    for (int signal : kSignals)
        std::signal(signal, SIG_DFL);
}

std::optional<QByteArray> ReadCrashFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}
