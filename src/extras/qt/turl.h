#pragma once
// TURL: a link as the about window keeps it, an address and the kind of link it is; opening
// it puts the kind's prefix in front and hands the result to the desktop.

#include <QString>

namespace quintrel {

class TURL {
public:
    enum URLType { utFile, utFtp, utGopher, utHttp, utHttps, utMailto, utNews, utTelnet, utWais, utnone };

    TURL() = default;
    TURL(QString url, URLType type) : url_(std::move(url)), type_(type) {}

    // The properties URL and URLType.
    const QString& url() const { return url_; }
    void setUrl(QString url) { url_ = std::move(url); }
    URLType urlType() const { return type_; }
    void setUrlType(URLType type) { type_ = type; }

    static QString prefix(URLType type);
    // The text handed to the desktop: the prefix and the address; empty without an address.
    QString address() const;
    // Does nothing for an empty address; true when the desktop took the link.
    bool open() const;

private:
    QString url_;
    URLType type_ = utHttp;
};

}  // namespace quintrel
