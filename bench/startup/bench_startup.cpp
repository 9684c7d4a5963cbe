// Starts the program and the bare window alternately, RUNS times each, and reports the
// median time until the window was first painted and the resident memory then, with the
// program-to-floor ratios. A figure to read, never a pass or fail.
//
//   bench_startup [RUNS] [PROGRAM] [FLOOR]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
struct Sample {
    double ms = 0;
    long rssKb = 0;
};

bool probe(const QString& program, const QStringList& args, Sample& sample)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUORVANTA_STARTUP_PROBE"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    if (!process.waitForStarted(5000))
        return false;
    QByteArray out;
    while (!out.contains('\n')) {
        if (!process.waitForReadyRead(10000))
            break;
        out += process.readAllStandardOutput();
    }
    sample.ms = double(timer.nsecsElapsed()) / 1e6;
    process.waitForFinished(5000);
    const QList<QByteArray> words = out.trimmed().split(' ');
    if (words.size() != 2 || words[0] != "shown")
        return false;
    sample.rssKb = words[1].toLong();
    return true;
}

template <typename T> T median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int runs = args.size() > 1 ? std::max(1, args[1].toInt()) : 15;
    const QString dir = QCoreApplication::applicationDirPath();
    const QString program = args.size() > 2 ? args[2] : dir + QStringLiteral("/quorvanta");
    const QString floor = args.size() > 3 ? args[3] : dir + QStringLiteral("/bench_bare_window");

    std::vector<double> programMs, floorMs, textMs;
    std::vector<long> programKb, floorKb, textKb;
    for (int i = 0; i < runs; ++i) {
        Sample p, f, t;
        if (!probe(program, {}, p) || !probe(floor, {}, f) ||
            !probe(floor, {QStringLiteral("--label")}, t)) {
            std::fprintf(stderr, "a start did not report its first paint\n");
            return 1;
        }
        programMs.push_back(p.ms);
        programKb.push_back(p.rssKb);
        floorMs.push_back(f.ms);
        floorKb.push_back(f.rssKb);
        textMs.push_back(t.ms);
        textKb.push_back(t.rssKb);
    }
    const double pm = median(programMs), fm = median(floorMs), tm = median(textMs);
    const long pk = median(programKb), fk = median(floorKb), tk = median(textKb);
    std::printf(
        "runs: %d (platform %s)\n", runs,
        qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen")).toUtf8().constData());
    std::printf("%-12s %10s %10s\n", "", "shown ms", "RSS kB");
    std::printf("%-12s %10.1f %10ld\n", "quorvanta", pm, pk);
    std::printf("%-12s %10.1f %10ld\n", "bare window", fm, fk);
    std::printf("%-12s %10.1f %10ld\n", "+ one label", tm, tk);
    std::printf("%-12s %10.2f %10.2f   (goal: at most 1.5 and 1.3)\n", "ratio", pm / fm,
                double(pk) / double(fk));
    std::printf("%-12s %10.2f %10.2f   (against the window with one label)\n", "ratio text",
                pm / tm, double(pk) / double(tk));
    return 0;
}
