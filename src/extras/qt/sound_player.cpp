#include "extras/qt/sound_player.h"

#include "net/qt/latin1_text.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

// The resource lives in a static library, so nothing would pull its registration in.
static void registerSoundResource() { Q_INIT_RESOURCE(sounds); }

namespace quintrel {

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
    // Asking for the devices on a machine without a sound service logs a warning; not
    // having sound is normal here, so that warning is held back.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const bool available = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(previous);
    return available;
}

SoundPlayer::SoundPlayer(std::optional<bool> haveOutput, QObject* parent)
    : QObject(parent), haveOutput_(haveOutput) {}

SoundPlayer::~SoundPlayer() {
    // QSoundEffect signals from its destructor; nothing of ours may hear that.
    for (QSoundEffect* effect : std::as_const(effects_)) {
        effect->disconnect();
        effect->stop();
        delete effect;
    }
}

void SoundPlayer::playsounds(std::string_view name) {
    if (!enabled_) return;
    // Asking for the devices starts the audio service's connection, and a loaded effect holds
    // its samples: neither is worth it before the first cue.
    if (!haveOutput_) haveOutput_ = outputAvailable();
    if (*haveOutput_ && effects_.isEmpty()) {
        for (const QString& cue : soundNames()) {
            auto* effect = new QSoundEffect(this);
            effect->setSource(QUrl(QStringLiteral("qrc") + soundResource(cue.toStdString())));
            effects_.insert(cue, effect);
        }
    }
    const QString upper = latin1(name).toUpper();
    QSoundEffect* effect = effects_.value(upper, nullptr);
    if (effect == nullptr) return;
    if (current_ != nullptr) current_->stop();
    effect->play();
    current_ = effect;
    lastStarted_ = upper;
}

}  // namespace quintrel
