#include "extras/qt/turl.h"

#include "extras/qt/desktop_open.h"

namespace quintrel {

QString TURL::prefix(URLType type) {
    switch (type) {
        case utFile: return QStringLiteral("file://");
        case utFtp: return QStringLiteral("ftp://");
        case utGopher: return QStringLiteral("gopher://");
        case utHttp: return QStringLiteral("http://");
        case utHttps: return QStringLiteral("https://");
        case utMailto: return QStringLiteral("mailto:");
        case utNews: return QStringLiteral("news:");
        case utTelnet: return QStringLiteral("telnet:");
        case utWais: return QStringLiteral("wais:");
        case utnone: break;
    }
    return {};
}

QString TURL::address() const { return url_.isEmpty() ? QString() : prefix(type_) + url_; }

bool TURL::open() const {
    if (url_.isEmpty()) return false;
    return openOnDesktop(QUrl(address()));
}

}  // namespace quintrel
