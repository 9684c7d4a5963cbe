// Every widget test runs with its own configuration, data and runtime folders: a test that
// starts the program without naming a settings file or an autostart folder never reaches the
// user's. An update the program starts on its own goes no further than this machine.
#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class IsolatedEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_RUNTIME_DIR", m_dir.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
        qputenv("QUORVANTA_LOOPBACK_ONLY", "1");
    }

private:
    QTemporaryDir m_dir;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new IsolatedEnvironment);

} // namespace
