#pragma once

#include <QStringList>

class QObject;

// The sound module (quintrel-sound.so) holds everything that needs Qt Multimedia: linked into
// the program, Multimedia and the audio libraries it pulls in cost every start about 5 M
// instructions and 2 MB before its window. The program loads the module at its first cue.
// Both are built together and share only these declarations.
namespace quintrel {

// The cues as the module loaded them.
class SoundCues {
public:
    virtual ~SoundCues() = default;
    // Starts a cue, stopping the one still sounding; false for a name that is no cue.
    virtual bool play(const QString& cue) = 0;
};

// Looked for in the program's library search folders (its run path), then beside it.
inline constexpr char kSoundModuleFile[] = "quintrel-sound.so";

}  // namespace quintrel

// The module's two entry points, looked up by name.
extern "C" {
// Whether the machine has an audio output at all.
bool quintrel_sound_output_available();
// One effect per cue, loaded from the resource of the same index, as children of parent.
quintrel::SoundCues* quintrel_load_sound_cues(QObject* parent, const QStringList& cues,
                                              const QStringList& resources);
}
