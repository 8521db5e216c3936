#pragma once
// Network errors reported by Qt, named the way players and logs know them:
// "Error #10061 (WSAECONNREFUSED)".

#include <QAbstractSocket>
#include <QString>

namespace quintrel::net {

struct NetworkErrorCode {
    int code;
    const char* name;
};

NetworkErrorCode networkErrorCode(QAbstractSocket::SocketError error);
QString networkErrorText(QAbstractSocket::SocketError error);

}  // namespace quintrel::net
