// The module quorvanta_sound: the only code that links Qt Multimedia. The program loads it
// with its first sound (SoundPlayer), so the audio stack stays out of every start.
//
// A wave file is read once and played straight to the audio output. QSoundEffect would do the
// same, but its sample cache loads on a thread of its own and can deadlock the process's exit
// while a sound is still loading; nothing here outlives the application.
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMediaDevices>
#include <QPointer>
#include <QThread>
#include <QtEndian>

#include <optional>

namespace {

struct Wave {
    QAudioFormat format;
    QByteArray samples;
};

// A RIFF wave file with PCM samples of 8, 16 or 32 bits or 32-bit floats; nothing for any other.
std::optional<Wave> readWave(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 16 * 1024 * 1024)
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    Wave wave;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const qsizetype body = at + 8;
        if (size > quint32(bytes.size() - body))
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            const char* f = bytes.constData() + body;
            const quint16 coding = qFromLittleEndian<quint16>(f);
            const quint16 channels = qFromLittleEndian<quint16>(f + 2);
            const quint32 rate = qFromLittleEndian<quint32>(f + 4);
            const quint16 bits = qFromLittleEndian<quint16>(f + 14);
            QAudioFormat::SampleFormat sampleFormat = QAudioFormat::Unknown;
            if (coding == 1 && bits == 8)
                sampleFormat = QAudioFormat::UInt8;
            else if (coding == 1 && bits == 16)
                sampleFormat = QAudioFormat::Int16;
            else if (coding == 1 && bits == 32)
                sampleFormat = QAudioFormat::Int32;
            else if (coding == 3 && bits == 32)
                sampleFormat = QAudioFormat::Float;
            if (sampleFormat == QAudioFormat::Unknown || channels == 0 || rate == 0)
                return std::nullopt;
            wave.format.setSampleFormat(sampleFormat);
            wave.format.setChannelCount(channels);
            wave.format.setSampleRate(int(rate));
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            wave.samples = bytes.mid(body, size);
            return wave;
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    return std::nullopt;
}

QList<QPointer<QAudioSink>>& liveSinks()
{
    static QList<QPointer<QAudioSink>> sinks;
    return sinks;
}

QElapsedTimer& lastSound()
{
    static QElapsedTimer timer;
    return timer;
}

// Before the application goes: the outputs close, and the sound server's connection gets a
// moment to settle. Its library aborts the exit when its loop is freed with a stream just
// closed and not yet seen to.
void releaseAudio()
{
    bool closed = false;
    for (const QPointer<QAudioSink>& sink : std::as_const(liveSinks())) {
        if (sink) {
            delete sink.data();
            closed = true;
        }
    }
    liveSinks().clear();
    if (closed || (lastSound().isValid() && lastSound().elapsed() < 300))
        QThread::msleep(100);
}

// One playing of a sound: the output and its buffer go when the sound has run out.
void play(const Wave& wave, QPointer<QAudioSink>& current)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(wave.format))
        return;
    if (current)
        current->stop(); // the same sound starts again from its beginning
    auto* sink = new QAudioSink(device, wave.format, QCoreApplication::instance());
    auto* buffer = new QBuffer(sink);
    buffer->setData(wave.samples);
    buffer->open(QIODevice::ReadOnly);
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState) {
            sink->disconnect();
            sink->deleteLater();
        }
    });
    current = sink;
    liveSinks().removeAll(nullptr);
    liveSinks().append(sink);
    lastSound().start();
    sink->start(buffer);
}

} // namespace

extern "C" Q_DECL_EXPORT void QuorvantaPlayWave(const QString& path)
{
    // Each file is read once; a file that is no wave we can play stays silent.
    static QHash<QString, std::optional<Wave>> waves;
    static QHash<QString, QPointer<QAudioSink>> playing;
    static const bool released = (qAddPostRoutine(releaseAudio), true);
    Q_UNUSED(released);
    auto known = waves.find(path);
    if (known == waves.end())
        known = waves.insert(path, readWave(path));
    if (*known)
        play(**known, playing[path]);
}
