#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string_view>

namespace quintrel {

class SoundCues;

// The twelve cue names as stored in the resources, upper case.
const QStringList& soundNames();

// The resource path (":/sounds/NAME.wav") of a cue named in any letter case, or an empty
// string for a name that is no cue.
QString soundResource(std::string_view name);

// Plays the table's sound cues. Nothing is set up until the first cue is played: then the
// sound module is loaded, the machine is asked for an audio output and, if it has one, one
// effect per cue is loaded, so that later cues play at once; starting a cue stops the one
// still sounding. Without an audio output (or without the module, which is said once on
// standard error) nothing is loaded and playsounds does nothing.
class SoundPlayer : public QObject {
public:
    // Whether the machine has an audio output at all (and the sound module is there).
    static bool outputAvailable();

    // haveOutput empty: ask the machine at the first cue; false: load nothing, play nothing.
    explicit SoundPlayer(std::optional<bool> haveOutput = std::nullopt, QObject* parent = nullptr);
    ~SoundPlayer() override;

    // Options > "Play Sounds"; on at start.
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isEnabled() const { return enabled_; }
    // The cues are loaded (a cue has been played on a machine with an audio output).
    bool hasOutput() const { return cues_ != nullptr; }

    void playsounds(std::string_view name);

    // The cue started last (upper case), empty when none; what a test can observe
    // without hearing anything.
    const QString& lastStarted() const { return lastStarted_; }

private:
    std::unique_ptr<SoundCues> cues_;
    QString lastStarted_;
    std::optional<bool> haveOutput_;
    bool enabled_ = true;
};

}  // namespace quintrel
