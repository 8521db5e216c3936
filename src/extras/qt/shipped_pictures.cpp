#include "extras/qt/pictures.h"

#include <QDir>

// The resource lives in a static library, so nothing would pull its registration in.
static void registerPictureResource() {
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(cards);
}

namespace quintrel {

const Pictures& Pictures::shipped() {
    static const Pictures pictures = [] {
        registerPictureResource();
        return Pictures(QStringLiteral(":/pictures"));
    }();
    return pictures;
}

}  // namespace quintrel
