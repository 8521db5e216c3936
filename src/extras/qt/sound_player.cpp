#include "extras/qt/sound_player.h"

#include "extras/qt/sound_module.h"
#include "net/qt/latin1_text.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

#include <cstddef>
#include <cstdio>
#include <optional>
#include <vector>

// The resource lives in a static library, so nothing would pull its registration in.
static void registerSoundResource() { Q_INIT_RESOURCE(sounds); }

namespace quintrel {
namespace {

struct SoundModule {
    decltype(&quintrel_sound_output_available) outputAvailable = nullptr;
    decltype(&quintrel_load_sound_cues) loadCues = nullptr;
};

// Where the module may lie: the folders the loader searches for this program's own libraries
// (its run path with $ORIGIN resolved, then the system's), then beside the program for a
// portable copy. Asked of the loader rather than left to a bare-name dlopen, whose search
// follows the caller, and a sanitizer's dlopen is a caller of its own.
QStringList moduleCandidates() {
    QStringList folders;
    void* self = dlopen(nullptr, RTLD_LAZY);
    Dl_serinfo size;
    if (self != nullptr && dlinfo(self, RTLD_DI_SERINFOSIZE, &size) == 0) {
        std::vector<std::max_align_t> buffer(size.dls_size / sizeof(std::max_align_t) + 1);
        auto* info = reinterpret_cast<Dl_serinfo*>(buffer.data());
        if (dlinfo(self, RTLD_DI_SERINFOSIZE, info) == 0 && dlinfo(self, RTLD_DI_SERINFO, info) == 0) {
            for (unsigned i = 0; i < info->dls_cnt; ++i)
                folders.append(QFile::decodeName(info->dls_serpath[i].dls_name));
        }
    }
    folders.append(QCoreApplication::applicationDirPath());
    QStringList candidates;
    for (const QString& folder : std::as_const(folders)) {
        const QString path = folder + u'/' + QLatin1String(kSoundModuleFile);
        if (QFileInfo::exists(path)) candidates.append(path);
    }
    return candidates;
}

// The module, loaded at the first call and kept to the end (its effects and Multimedia's
// threads outlive any unloading); null when it cannot be loaded, which is said once.
const SoundModule* soundModule() {
    static const std::optional<SoundModule> module = []() -> std::optional<SoundModule> {
        QByteArray why =
            QByteArrayLiteral("no ") + kSoundModuleFile + " in the library path or beside the program";
        for (const QString& path : moduleCandidates()) {
            void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
            if (handle == nullptr) {
                why = dlerror();
                continue;
            }
            SoundModule found;
            found.outputAvailable = reinterpret_cast<decltype(found.outputAvailable)>(
                dlsym(handle, "quintrel_sound_output_available"));
            found.loadCues =
                reinterpret_cast<decltype(found.loadCues)>(dlsym(handle, "quintrel_load_sound_cues"));
            if (found.outputAvailable != nullptr && found.loadCues != nullptr) return found;
            why = path.toLocal8Bit() + ": not the sound module";
        }
        std::fprintf(stderr, "no sound: %s\n", why.constData());
        return std::nullopt;
    }();
    return module ? &*module : nullptr;
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

// Out of line for the incomplete SoundCues. The members go before QObject deletes the children,
// so the effects are gone, with their signals cut, by then.
SoundPlayer::~SoundPlayer() = default;

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
