// The part of the sound cues that needs Qt Multimedia, built as a module of its own.

#include "extras/qt/sound_module.h"

#include <QAudioDevice>
#include <QHash>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {

class EffectCues final : public quintrel::SoundCues {
public:
    EffectCues(QObject* parent, const QStringList& cues, const QStringList& resources) {
        for (qsizetype i = 0; i < cues.size() && i < resources.size(); ++i) {
            auto* effect = new QSoundEffect(parent);
            effect->setSource(QUrl(QStringLiteral("qrc") + resources[i]));
            effects_.insert(cues[i], effect);
        }
    }

    ~EffectCues() override {
        // QSoundEffect signals from its destructor; nothing of the program's may hear that.
        for (QSoundEffect* effect : std::as_const(effects_)) {
            effect->disconnect();
            effect->stop();
            delete effect;
        }
    }

    bool play(const QString& cue) override {
        QSoundEffect* effect = effects_.value(cue, nullptr);
        if (effect == nullptr) return false;
        if (current_ != nullptr) current_->stop();
        effect->play();
        current_ = effect;
        return true;
    }

private:
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* current_ = nullptr;
};

}  // namespace

extern "C" {

Q_DECL_EXPORT bool quintrel_sound_output_available() {
    // Asking for the devices on a machine without a sound service logs a warning; not
    // having sound is normal here, so that warning is held back.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const bool available = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(previous);
    return available;
}

Q_DECL_EXPORT quintrel::SoundCues* quintrel_load_sound_cues(QObject* parent, const QStringList& cues,
                                                            const QStringList& resources) {
    return new EffectCues(parent, cues, resources);
}
}
