#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "extras/qt/sound_player.h"

namespace quintrel {
namespace {

struct Expected {
    const char* name;
    int channels;
    int rate;
    int bits;
    double seconds;
};

const Expected kCues[] = {
    {"clearbook", 1, 44100, 16, 0.22}, {"createbook", 2, 44100, 16, 0.07},
    {"discard", 1, 11025, 8, 0.28},    {"entered", 1, 11025, 8, 0.79},
    {"getcard", 2, 44100, 16, 0.37},   {"getfoot", 1, 11025, 16, 0.29},
    {"placebook", 1, 44100, 16, 0.13}, {"placecomplete", 1, 44100, 16, 0.26},
    {"placeoff", 1, 44100, 16, 0.22},  {"placeon", 1, 22050, 16, 0.26},
    {"turn", 2, 11025, 16, 0.57},      {"winner", 1, 22050, 8, 1.00},
};

std::uint32_t le(const QByteArray& b, qsizetype at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

// Sample i of the data as -1..1.
double sample(const QByteArray& data, int bits, qsizetype i) {
    if (bits == 8) return (static_cast<unsigned char>(data[i]) - 128) / 128.0;
    return static_cast<std::int16_t>(le(data, 2 * i, 2)) / 32768.0;
}

TEST(SoundCues, EveryCueIsAResourceWithItsFormatAndLength) {
    for (const Expected& cue : kCues) {
        SCOPED_TRACE(cue.name);
        QFile file(soundResource(cue.name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray wav = file.readAll();
        ASSERT_GE(wav.size(), 44);
        EXPECT_EQ(wav.left(4), "RIFF");
        EXPECT_EQ(le(wav, 4, 4), static_cast<std::uint32_t>(wav.size() - 8));
        EXPECT_EQ(wav.mid(8, 4), "WAVE");

        int channels = 0, rate = 0, bits = 0;
        QByteArray data;
        for (qsizetype at = 12; at + 8 <= wav.size();) {
            const QByteArray id = wav.mid(at, 4);
            const auto size = static_cast<qsizetype>(le(wav, at + 4, 4));
            ASSERT_LE(at + 8 + size, wav.size());
            if (id == "fmt ") {
                EXPECT_EQ(le(wav, at + 8, 2), 1u) << "PCM";
                channels = static_cast<int>(le(wav, at + 10, 2));
                rate = static_cast<int>(le(wav, at + 12, 4));
                bits = static_cast<int>(le(wav, at + 22, 2));
                EXPECT_EQ(le(wav, at + 20, 2), static_cast<std::uint32_t>(channels * bits / 8));
                EXPECT_EQ(le(wav, at + 16, 4), static_cast<std::uint32_t>(rate * channels * bits / 8));
            } else if (id == "data") {
                data = wav.mid(at + 8, size);
            }
            at += 8 + size + (size % 2);
        }
        EXPECT_EQ(channels, cue.channels);
        EXPECT_EQ(rate, cue.rate);
        EXPECT_EQ(bits, cue.bits);
        ASSERT_GT(data.size(), 0);
        const qsizetype samples = data.size() / (bits / 8);
        EXPECT_NEAR(static_cast<double>(samples) / channels / rate, cue.seconds, 0.005);

        // Audible, not clipped, and ending quietly so that no cue ends in a click.
        double peak = 0;
        for (qsizetype i = 0; i < samples; ++i) peak = std::max(peak, std::abs(sample(data, bits, i)));
        EXPECT_GT(peak, 0.3);
        EXPECT_LT(peak, 0.99);
        EXPECT_LT(std::abs(sample(data, bits, samples - 1)), 0.02);
    }
}

TEST(SoundCues, NamesMatchInAnyLetterCase) {
    EXPECT_EQ(soundNames().size(), 12);
    EXPECT_EQ(soundResource("entered"), ":/sounds/ENTERED.wav");
    EXPECT_EQ(soundResource("PlaceComplete"), ":/sounds/PLACECOMPLETE.wav");
    EXPECT_EQ(soundResource("applause"), "");
    EXPECT_EQ(soundResource(""), "");
}

// The effects the player holds: the test knows them by class name, since only the sound
// module links the library that defines them.
QList<QObject*> effects(const SoundPlayer& player) {
    QList<QObject*> found;
    for (QObject* child : player.findChildren<QObject*>())
        if (qstrcmp(child->metaObject()->className(), "QSoundEffect") == 0) found.append(child);
    return found;
}

bool loaded(const char* library) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

int messages = 0;
void countMessages(QtMsgType, const QMessageLogContext&, const QString&) { ++messages; }

TEST(SoundPlayer, WithoutAnOutputPlaysNothingAndSaysNothing) {
    messages = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countMessages);
    {
        SoundPlayer player(false);
        for (const Expected& cue : kCues) player.playsounds(cue.name);
        EXPECT_FALSE(player.hasOutput());
        EXPECT_EQ(player.lastStarted(), "");
        EXPECT_TRUE(effects(player).isEmpty());
    }
    // Nothing of Multimedia is loaded until the machine is asked for an output.
    EXPECT_FALSE(loaded("libQt6Multimedia.so"));
    const bool available = SoundPlayer::outputAvailable();
    EXPECT_TRUE(loaded("/quintrel-sound.so"));
    EXPECT_TRUE(loaded("libQt6Multimedia.so"));
    if (!available) {
        // This machine has no audio output: the ordinary constructor must see that.
        SoundPlayer player;
        player.playsounds("winner");
        EXPECT_FALSE(player.hasOutput());
    }
    QCoreApplication::processEvents();
    qInstallMessageHandler(previous);
    EXPECT_EQ(messages, 0);
}

// Whether Qt's sample cache still has its loading thread ("QSampleCache::LoadingThread",
// cut to the kernel's 15 characters).
bool sampleLoaderRunning() {
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().startsWith("QSampleCache")) return true;
    }
    return false;
}

// Which cue starts, and whether the option lets it, is ours to check; whether the machine's
// audio backend decodes and sounds it is not, so nothing here waits for or listens to one.
TEST(SoundPlayer, PlaySoundsOptionAndTheCueStarted) {
    struct Quiet {  // without a device Qt warns on every play
        QtMessageHandler previous = qInstallMessageHandler(countMessages);
        ~Quiet() { qInstallMessageHandler(previous); }
    } quiet;
    SoundPlayer player(true);
    // Nothing is loaded before the first cue, nor by a cue while sounds are off.
    player.setEnabled(false);
    player.playsounds("turn");
    EXPECT_EQ(player.lastStarted(), "");
    EXPECT_FALSE(player.hasOutput());
    EXPECT_TRUE(effects(player).isEmpty());
    player.setEnabled(true);
    player.playsounds("getcard");
    ASSERT_TRUE(player.hasOutput());
    EXPECT_EQ(effects(player).size(), 12);

    player.playsounds("turn");
    EXPECT_EQ(player.lastStarted(), "TURN");
    player.playsounds("Winner");
    EXPECT_EQ(player.lastStarted(), "WINNER");
    player.playsounds("no such cue");
    EXPECT_EQ(player.lastStarted(), "WINNER");
    // Qt's sample cache deadlocks at exit if a sample is still being decoded then, and its
    // loading thread, winding down after the last sample, crashes if the application object
    // is gone by then: this program ends right after this test, so wait for both.
    const auto loading = effects(player);
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && std::any_of(loading.begin(), loading.end(), [](QObject* e) {
        const int status = e->property("status").toInt();
        return status == 0 || status == 1;  // QSoundEffect::Null, QSoundEffect::Loading
    }))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    while (!deadline.hasExpired() && sampleLoaderRunning())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(sampleLoaderRunning());
}

}  // namespace
}  // namespace quintrel

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
