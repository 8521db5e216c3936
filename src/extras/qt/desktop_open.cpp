#include "extras/qt/desktop_open.h"

#include <QDesktopServices>

namespace quintrel {
namespace {

DesktopOpener& installed() {
    static DesktopOpener opener;
    return opener;
}

}  // namespace

bool openOnDesktop(const QUrl& url) {
    if (installed()) return installed()(url);
    return QDesktopServices::openUrl(url);
}

void setDesktopOpener(DesktopOpener opener) { installed() = std::move(opener); }

}  // namespace quintrel
