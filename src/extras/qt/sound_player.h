#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <string_view>

class QSoundEffect;

namespace quintrel {

// The twelve cue names as stored in the resources, upper case.
const QStringList& soundNames();

// The resource path (":/sounds/NAME.wav") of a cue named in any letter case, or an empty
// string for a name that is no cue.
QString soundResource(std::string_view name);

// Plays the table's sound cues. One effect per cue is loaded up front so that playing
// is immediate; starting a cue stops the one still sounding. On a machine without an
// audio output nothing is loaded and playsounds does nothing, silently.
class SoundPlayer : public QObject {
public:
    // Whether the machine has an audio output at all.
    static bool outputAvailable();

    // haveOutput false: load nothing, play nothing.
    explicit SoundPlayer(bool haveOutput = outputAvailable(), QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Options > "Play Sounds"; on at start.
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isEnabled() const { return enabled_; }
    bool hasOutput() const { return !effects_.isEmpty(); }

    void playsounds(std::string_view name);

    // The cue started last (upper case), empty when none; what a test can observe
    // without hearing anything.
    const QString& lastStarted() const { return lastStarted_; }

private:
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* current_ = nullptr;
    QString lastStarted_;
    bool enabled_ = true;
};

}  // namespace quintrel
