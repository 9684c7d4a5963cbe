// Writes the program's four sounds, synthesised, as plain PCM wave files:
//   make_sounds DIR   →   DIR/hammer.wav, DIR/error.wav, DIR/explos.wav, DIR/hinweis.wav
// Mono, 16 bit, 22050 Hz; the same bytes on every build (the noise has a fixed seed).
//   hammer  a short knock of a hammer on wood (a warning, a refused key)
//   error   a low buzz falling by a fourth (an error)
//   explos  a dull burst of noise that rolls away (a problem)
//   hinweis a soft two-note chime (a notice that waits for "Weiter")
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kTwoPi = 2 * std::numbers::pi;

// A small linear congruential generator: reproducible noise in [-1, 1] on every platform.
class Noise {
public:
    double next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(m_state >> 11) / double(1ULL << 52) - 1.0;
    }

private:
    std::uint64_t m_state = 0x5175'6F72'7661'6E74ULL;
};

std::vector<double> render(double seconds, const std::function<double(double t)>& signal)
{
    std::vector<double> samples(std::size_t(seconds * kRate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = signal(double(i) / kRate);
    // A few milliseconds of fade at the end, so that no sound stops with a click.
    const std::size_t fade = std::min<std::size_t>(samples.size(), kRate / 200);
    for (std::size_t i = 0; i < fade; ++i)
        samples[samples.size() - 1 - i] *= double(i) / double(fade);
    return samples;
}

std::vector<double> hammer()
{
    Noise noise;
    double lowPassed = 0;
    return render(0.22, [&](double t) {
        lowPassed += 0.35 * (noise.next() - lowPassed);
        const double thump = std::sin(kTwoPi * 140 * t) * std::exp(-t * 35);
        const double wood =
            (std::sin(kTwoPi * 610 * t) + 0.6 * std::sin(kTwoPi * 1130 * t)) * std::exp(-t * 45);
        const double click = lowPassed * std::exp(-t * 300);
        return 0.55 * thump + 0.3 * wood + 0.5 * click;
    });
}

std::vector<double> error()
{
    return render(0.34, [](double t) {
        const bool second = t >= 0.16;
        const double local = second ? t - 0.16 : t;
        const double frequency = second ? 262 : 349;
        double buzz = 0;
        for (int harmonic = 1; harmonic <= 7; harmonic += 2) // an odd-harmonic, square-like tone
            buzz += std::sin(kTwoPi * frequency * harmonic * local) / harmonic;
        const double envelope = std::min(1.0, local / 0.008) * std::exp(-local * 9);
        return 0.8 * buzz * envelope;
    });
}

std::vector<double> explosion()
{
    Noise noise;
    double lowPassed = 0, rumble = 0;
    return render(0.9, [&](double t) {
        // The burst's brightness falls as it rolls away.
        const double cutoff = 0.25 * std::exp(-t * 5) + 0.02;
        lowPassed += cutoff * (noise.next() - lowPassed);
        rumble += 0.01 * (noise.next() - rumble);
        const double envelope = std::min(1.0, t / 0.006) * std::exp(-t * 4.5);
        return envelope * (1.2 * lowPassed + 4.5 * rumble);
    });
}

std::vector<double> notice()
{
    auto bell = [](double frequency, double t) {
        if (t < 0)
            return 0.0;
        return (std::sin(kTwoPi * frequency * t) + 0.25 * std::sin(kTwoPi * 2 * frequency * t)) *
               std::min(1.0, t / 0.004) * std::exp(-t * 6);
    };
    return render(0.7, [&](double t) { return 0.5 * (bell(1319, t) + bell(1047, t - 0.16)); });
}

void putWord(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(char((value >> (8 * i)) & 0xFF));
}

bool writeWave(const std::string& path, const std::vector<double>& samples)
{
    const std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
    std::string out = "RIFF";
    putWord(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putWord(out, 16, 4);        // size of the format chunk
    putWord(out, 1, 2);         // PCM
    putWord(out, 1, 2);         // mono
    putWord(out, kRate, 4);     // samples per second
    putWord(out, kRate * 2, 4); // bytes per second
    putWord(out, 2, 2);         // bytes per sample frame
    putWord(out, 16, 2);        // bits per sample
    out += "data";
    putWord(out, dataBytes, 4);
    for (double s : samples) {
        const long value = std::lround(std::clamp(s, -1.0, 1.0) * 32767);
        putWord(out, std::uint32_t(std::int16_t(value)), 2);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: make_sounds DIR\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    const struct {
        const char* name;
        std::vector<double> samples;
    } sounds[] = {
        {"hammer.wav", hammer()},
        {"error.wav", error()},
        {"explos.wav", explosion()},
        {"hinweis.wav", notice()},
    };
    for (const auto& sound : sounds) {
        if (!writeWave(dir + "/" + sound.name, sound.samples)) {
            std::fprintf(stderr, "cannot write %s/%s\n", argv[1], sound.name);
            return 1;
        }
    }
    return 0;
}
