// Runs every fuzz target over its checked-in corpus: fuzz_replay CORPUS_FOLDER [TARGET …].
// Each target needs a folder of its own name there, with at least one input.
#include "fuzz_target.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <map>
#include <string>

namespace {
std::map<std::string, FuzzFunction>& targets()
{
    static std::map<std::string, FuzzFunction> all;
    return all;
}
} // namespace

bool RegisterFuzzTarget(const char* name, FuzzFunction run)
{
    targets()[name] = run;
    return true;
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: fuzz_replay CORPUS_FOLDER [TARGET ...]\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    QStringList only;
    for (int i = 2; i < argc; ++i)
        only.append(QString::fromLocal8Bit(argv[i]));
    int failures = 0;
    for (const auto& [name, run] : targets()) {
        const QString target = QString::fromStdString(name);
        if (!only.isEmpty() && !only.contains(target))
            continue;
        const QDir folder(root.filePath(target));
        const QStringList files = folder.entryList(QDir::Files, QDir::Name);
        if (files.isEmpty()) {
            std::fprintf(stderr, "%s: no corpus in %s\n", name.c_str(), qPrintable(folder.path()));
            ++failures;
            continue;
        }
        for (const QString& file : files) {
            QFile f(folder.filePath(file));
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "%s: cannot read %s\n", name.c_str(), qPrintable(file));
                ++failures;
                continue;
            }
            const QByteArray bytes = f.readAll();
            run(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        }
        std::printf("%s: %d inputs\n", name.c_str(), int(files.size()));
    }
    return failures == 0 ? 0 : 1;
}
