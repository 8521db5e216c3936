#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

class QSoundEffect;

namespace quintrel {

// The twelve cue names as stored in the resources, upper case.
const QStringList& soundNames();

// The resource path (":/sounds/NAME.wav") of a cue named in any letter case, or an empty
// string for a name that is no cue.
QString soundResource(std::string_view name);

// Plays the table's sound cues. Nothing is set up until the first cue is played: then the
// machine is asked for an audio output and, if it has one, one effect per cue is loaded, so
// that later cues play at once; starting a cue stops the one still sounding. Without an
// audio output nothing is loaded and playsounds does nothing, silently.
class SoundPlayer : public QObject {
public:
    // Whether the machine has an audio output at all.
    static bool outputAvailable();

    // haveOutput empty: ask the machine at the first cue; false: load nothing, play nothing.
    explicit SoundPlayer(std::optional<bool> haveOutput = std::nullopt, QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Options > "Play Sounds"; on at start.
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isEnabled() const { return enabled_; }
    // The cues are loaded (a cue has been played on a machine with an audio output).
    bool hasOutput() const { return !effects_.isEmpty(); }

    void playsounds(std::string_view name);

    // The cue started last (upper case), empty when none; what a test can observe
    // without hearing anything.
    const QString& lastStarted() const { return lastStarted_; }

private:
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* current_ = nullptr;
    QString lastStarted_;
    std::optional<bool> haveOutput_;
    bool enabled_ = true;
};

}  // namespace quintrel
