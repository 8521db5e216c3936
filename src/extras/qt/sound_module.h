#pragma once

#include <QStringList>

class QObject;

// The sound module (quintrel-sound.so) holds everything that needs Qt Multimedia: linked into
// the program, Multimedia and the audio libraries it pulls in cost every start about 4 M
// instructions and 2 MB, for cues that come a game later. The program loads the module at
// its first cue. Both are built together and share only these declarations.
namespace quintrel {

// The cues as the module loaded them.
class SoundCues {
public:
    virtual ~SoundCues() = default;
    // Starts a cue, stopping the one still sounding; false for a name that is no cue.
    virtual bool play(const QString& cue) = 0;
};

// Found where the program's run path says: beside the build's programs, or in the
// installed program's library folder.
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
