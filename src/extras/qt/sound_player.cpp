#include "extras/qt/sound_player.h"

#include "extras/qt/sound_module.h"
#include "net/qt/latin1_text.h"

#include <QCoreApplication>
#include <QFile>

#include <dlfcn.h>

#include <cstdio>

// The resource lives in a static library, so nothing would pull its registration in.
static void registerSoundResource() { Q_INIT_RESOURCE(sounds); }

namespace quintrel {
namespace {

struct SoundModule {
    decltype(&quintrel_sound_output_available) outputAvailable = nullptr;
    decltype(&quintrel_load_sound_cues) loadCues = nullptr;
};

// The module, loaded at the first call and kept to the end (its effects and Multimedia's
// threads outlive any unloading); null when it cannot be loaded.
const SoundModule* soundModule() {
    static const SoundModule* const module = []() -> const SoundModule* {
        // A bare name: searched in this program's run path. A portable copy carries the
        // module beside the program instead.
        void* handle = dlopen(kSoundModuleFile, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const QByteArray beside = QFile::encodeName(QCoreApplication::applicationDirPath() + u'/' +
                                                        QLatin1String(kSoundModuleFile));
            handle = dlopen(beside.constData(), RTLD_NOW | RTLD_LOCAL);
        }
        SoundModule found;
        if (handle != nullptr) {
            found.outputAvailable = reinterpret_cast<decltype(found.outputAvailable)>(
                dlsym(handle, "quintrel_sound_output_available"));
            found.loadCues =
                reinterpret_cast<decltype(found.loadCues)>(dlsym(handle, "quintrel_load_sound_cues"));
        }
        if (found.outputAvailable == nullptr || found.loadCues == nullptr) {
            const char* why = dlerror();
            std::fprintf(stderr, "no sound: %s\n", why != nullptr ? why : "the sound module is incomplete");
            return nullptr;
        }
        return new SoundModule(found);
    }();
    return module;
}

}  // namespace

const QStringList& soundNames() {
    static const QStringList names = {"CLEARBOOK", "CREATEBOOK", "DISCARD",   "ENTERED",
                                      "GETCARD",   "GETFOOT",    "PLACEBOOK", "PLACECOMPLETE",
                                      "PLACEOFF",  "PLACEON",    "TURN",      "WINNER"};
    return names;
}

QString soundResource(std::string_view name) {
    static const bool registered = [] {
        registerSoundResource();
        return true;
    }();
    (void)registered;
    const QString upper = latin1(name).toUpper();
    if (!soundNames().contains(upper)) return {};
    return QStringLiteral(":/sounds/") + upper + QStringLiteral(".wav");
}

bool SoundPlayer::outputAvailable() {
    const SoundModule* module = soundModule();
    return module != nullptr && module->outputAvailable();
}

SoundPlayer::SoundPlayer(std::optional<bool> haveOutput, QObject* parent)
    : QObject(parent), haveOutput_(haveOutput) {}

// The effects are children of this object: gone, with their signals cut, before it goes.
SoundPlayer::~SoundPlayer() { cues_.reset(); }

void SoundPlayer::playsounds(std::string_view name) {
    if (!enabled_) return;
    // Loading the module, asking for the devices (which starts the audio service's
    // connection) and loading the samples: none of it is worth it before the first cue.
    if (!haveOutput_) haveOutput_ = outputAvailable();
    if (*haveOutput_ && cues_ == nullptr) {
        if (const SoundModule* module = soundModule()) {
            QStringList resources;
            for (const QString& cue : soundNames()) resources.append(soundResource(cue.toStdString()));
            cues_.reset(module->loadCues(this, soundNames(), resources));
        } else {
            haveOutput_ = false;
        }
    }
    if (cues_ == nullptr) return;
    const QString upper = latin1(name).toUpper();
    if (cues_->play(upper)) lastStarted_ = upper;
}

}  // namespace quintrel
