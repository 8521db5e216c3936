// Writes the table's sound cues as PCM wave files into the folder given as the argument
// (normally assets/sounds). Run by hand; its output is committed.
//
// Every cue is synthesised: plucked and bell-like tones, soft noise for cards. Each has a
// short attack and a fade at its end so that none of them clicks when cut short.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Cue {
    const char* name;
    int channels;
    int rate;
    int bits;
    double seconds;
    // Fills one channel; channel is 0 (left or mono) or 1 (right).
    std::function<void(std::vector<double>&, int rate, int channel)> make;
};

// Deterministic noise, so every run writes the same files.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / 8388608.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

double envelope(double t, double attack, double decay) {
    if (t < 0) return 0;
    const double rise = t < attack ? t / attack : 1.0;
    return rise * std::exp(-(t - std::min(t, attack)) / decay);
}

// A tone with a few harmonics; partials are (multiple, weight).
double tone(double freq, double t, std::initializer_list<std::pair<double, double>> partials) {
    double v = 0;
    for (auto [multiple, weight] : partials) v += weight * std::sin(2 * kPi * freq * multiple * t);
    return v;
}

// Adds a plucked note starting at start seconds.
void pluck(std::vector<double>& out, int rate, double start, double freq, double decay, double gain) {
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate - start;
        if (t < 0) continue;
        out[i] +=
            gain * envelope(t, 0.004, decay) * tone(freq, t, {{1, 1.0}, {2, 0.35}, {3, 0.12}, {4, 0.05}});
    }
}

// Adds a bell stroke: inharmonic partials that die away at different speeds.
void bell(std::vector<double>& out, int rate, double start, double freq, double decay, double gain) {
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate - start;
        if (t < 0) continue;
        out[i] += gain * (envelope(t, 0.003, decay) * std::sin(2 * kPi * freq * t) +
                          0.4 * envelope(t, 0.002, decay * 0.45) * std::sin(2 * kPi * freq * 2.76 * t) +
                          0.2 * envelope(t, 0.002, decay * 0.25) * std::sin(2 * kPi * freq * 5.4 * t));
    }
}

// Adds a tone gliding from f0 to f1.
void glide(std::vector<double>& out, int rate, double f0, double f1, double decay, double gain) {
    double phase = 0;
    const double length = static_cast<double>(out.size()) / rate;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double f = f0 * std::pow(f1 / f0, t / length);
        phase += 2 * kPi * f / rate;
        out[i] += gain * envelope(t, 0.006, decay) *
                  (std::sin(phase) + 0.25 * std::sin(2 * phase) + 0.08 * std::sin(3 * phase));
    }
}

// Adds noise through a one-pole low-pass whose cutoff moves from c0 to c1 (Hz).
void brush(std::vector<double>& out, int rate, std::uint32_t seed, double c0, double c1, double attack,
           double decay, double gain) {
    Noise noise(seed);
    double low = 0;
    const double length = static_cast<double>(out.size()) / rate;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double cutoff = c0 + (c1 - c0) * t / length;
        const double a = 1 - std::exp(-2 * kPi * cutoff / rate);
        low += a * (noise.next() - low);
        out[i] += gain * envelope(t, attack, decay) * low;
    }
}

void fadeEnds(std::vector<double>& out, int rate) {
    const std::size_t in = std::min<std::size_t>(out.size(), rate / 1000);   // 1 ms
    const std::size_t tail = std::min<std::size_t>(out.size(), rate / 100);  // 10 ms
    for (std::size_t i = 0; i < in; ++i) out[i] *= static_cast<double>(i) / in;
    for (std::size_t i = 0; i < tail; ++i) out[out.size() - 1 - i] *= static_cast<double>(i) / tail;
}

const std::vector<Cue>& cues() {
    static const std::vector<Cue> all = {
        // Cards slip back into the hand: a short falling whisk.
        {"CLEARBOOK", 1, 44100, 16, 0.22,
         [](auto& out, int rate, int) {
             glide(out, rate, 880, 440, 0.07, 0.5);
             brush(out, rate, 11, 4000, 800, 0.004, 0.05, 0.6);
         }},
        // A book laid down: a dry wooden tock, the right side a hair later.
        {"CREATEBOOK", 2, 44100, 16, 0.07,
         [](auto& out, int rate, int channel) {
             const double start = channel == 0 ? 0.0 : 0.0008;
             pluck(out, rate, start, 1046.5, 0.018, 0.8);
             pluck(out, rate, start, 523.25, 0.025, 0.5);
             brush(out, rate, 21, 6000, 3000, 0.0005, 0.004, 0.8);
         }},
        // A card lands on the pile: a soft flap with a low thump.
        {"DISCARD", 1, 11025, 8, 0.28,
         [](auto& out, int rate, int) {
             brush(out, rate, 31, 2500, 600, 0.003, 0.045, 1.4);
             pluck(out, rate, 0.0, 170, 0.06, 0.45);
         }},
        // Somebody arrives: a two-tone door chime.
        {"ENTERED", 1, 11025, 8, 0.79,
         [](auto& out, int rate, int) {
             bell(out, rate, 0.0, 659.25, 0.28, 0.6);
             bell(out, rate, 0.28, 523.25, 0.30, 0.6);
         }},
        // A card slides into the hand, from the left towards the right.
        {"GETCARD", 2, 44100, 16, 0.37,
         [](auto& out, int rate, int channel) {
             std::vector<double> slide(out.size(), 0.0);
             brush(slide, rate, 41, 1500, 5000, 0.09, 0.12, 1.2);
             for (std::size_t i = 0; i < out.size(); ++i) {
                 const double pan = static_cast<double>(i) / out.size();
                 out[i] += slide[i] * (channel == 0 ? 1.0 - 0.6 * pan : 0.4 + 0.6 * pan);
             }
             pluck(out, rate, 0.26, 1318.5, 0.02, 0.25);
         }},
        // The foot is taken up: two rising notes.
        {"GETFOOT", 1, 11025, 16, 0.29,
         [](auto& out, int rate, int) {
             pluck(out, rate, 0.0, 392.0, 0.09, 0.55);
             pluck(out, rate, 0.11, 587.33, 0.10, 0.55);
         }},
        // Cards added to a book: one light pluck.
        {"PLACEBOOK", 1, 44100, 16, 0.13,
         [](auto& out, int rate, int) { pluck(out, rate, 0.0, 783.99, 0.04, 0.7); }},
        // Cards added to a completed book: a quick bright arpeggio.
        {"PLACECOMPLETE", 1, 44100, 16, 0.26,
         [](auto& out, int rate, int) {
             pluck(out, rate, 0.0, 523.25, 0.08, 0.45);
             pluck(out, rate, 0.05, 659.25, 0.08, 0.45);
             pluck(out, rate, 0.10, 783.99, 0.09, 0.45);
         }},
        // A card taken off a staging place: a falling blip.
        {"PLACEOFF", 1, 44100, 16, 0.22,
         [](auto& out, int rate, int) { glide(out, rate, 700, 420, 0.06, 0.6); }},
        // A card put on a staging place: a rising blip.
        {"PLACEON", 1, 22050, 16, 0.26,
         [](auto& out, int rate, int) { glide(out, rate, 420, 700, 0.07, 0.6); }},
        // Your turn: a gentle two-bell call, left then right.
        {"TURN", 2, 11025, 16, 0.57,
         [](auto& out, int rate, int channel) {
             bell(out, rate, 0.0, 523.25, 0.22, channel == 0 ? 0.6 : 0.35);
             bell(out, rate, 0.16, 783.99, 0.25, channel == 0 ? 0.35 : 0.6);
         }},
        // A winner: a rising fanfare ending on a held note.
        {"WINNER", 1, 22050, 8, 1.00,
         [](auto& out, int rate, int) {
             pluck(out, rate, 0.0, 523.25, 0.10, 0.4);
             pluck(out, rate, 0.11, 659.25, 0.10, 0.4);
             pluck(out, rate, 0.22, 783.99, 0.10, 0.4);
             for (std::size_t i = 0; i < out.size(); ++i) {
                 const double t = static_cast<double>(i) / rate - 0.33;
                 if (t < 0) continue;
                 const double vibrato = 1 + 0.004 * std::sin(2 * kPi * 5.5 * t);
                 const double fade = std::min(1.0, (1.0 - 0.33 - t) / 0.25);
                 out[i] += 0.45 * envelope(t, 0.01, 0.6) * fade *
                           tone(1046.5 * vibrato, t, {{1, 1.0}, {2, 0.3}, {3, 0.15}});
             }
         }},
    };
    return all;
}

void put16(std::string& s, unsigned v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void put32(std::string& s, std::uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

std::string waveFile(const Cue& cue) {
    const auto frames = static_cast<std::size_t>(std::lround(cue.seconds * cue.rate));
    std::vector<std::vector<double>> channels(cue.channels, std::vector<double>(frames, 0.0));
    double peak = 0;
    for (int c = 0; c < cue.channels; ++c) {
        cue.make(channels[c], cue.rate, c);
        fadeEnds(channels[c], cue.rate);
        for (double v : channels[c]) peak = std::max(peak, std::abs(v));
    }
    const double gain = peak > 0 ? 0.7 / peak : 0;  // about -3 dB at the loudest point

    std::string data;
    for (std::size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < cue.channels; ++c) {
            const double v = std::clamp(channels[c][i] * gain, -1.0, 1.0);
            if (cue.bits == 8) {
                data.push_back(static_cast<char>(std::lround(128 + 127 * v)));  // 8-bit is unsigned
            } else {
                put16(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(32767 * v))));
            }
        }
    }
    const unsigned blockAlign = cue.channels * cue.bits / 8;
    const std::size_t pad = data.size() % 2;  // chunks are padded to even sizes
    std::string file = "RIFF";
    put32(file, static_cast<std::uint32_t>(36 + data.size() + pad));
    file += "WAVEfmt ";
    put32(file, 16);
    put16(file, 1);  // PCM
    put16(file, cue.channels);
    put32(file, cue.rate);
    put32(file, cue.rate * blockAlign);
    put16(file, blockAlign);
    put16(file, cue.bits);
    file += "data";
    put32(file, static_cast<std::uint32_t>(data.size()));
    file += data;
    if (pad != 0) file.push_back('\0');
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds OUTPUT_FOLDER\n");
        return 2;
    }
    for (const Cue& cue : cues()) {
        const std::string path = std::string(argv[1]) + "/" + cue.name + ".wav";
        const std::string bytes = waveFile(cue);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() ||
            std::fclose(f) != 0) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
