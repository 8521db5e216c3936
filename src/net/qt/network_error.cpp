#include "net/qt/network_error.h"

namespace quintrel::net {

NetworkErrorCode networkErrorCode(QAbstractSocket::SocketError error) {
    switch (error) {
        case QAbstractSocket::ConnectionRefusedError: return {10061, "WSAECONNREFUSED"};
        case QAbstractSocket::RemoteHostClosedError: return {10054, "WSAECONNRESET"};
        case QAbstractSocket::HostNotFoundError: return {11001, "WSAHOST_NOT_FOUND"};
        case QAbstractSocket::SocketAccessError: return {10013, "WSAEACCES"};
        case QAbstractSocket::SocketResourceError: return {10055, "WSAENOBUFS"};
        case QAbstractSocket::SocketTimeoutError: return {10060, "WSAETIMEDOUT"};
        case QAbstractSocket::NetworkError: return {10051, "WSAENETUNREACH"};
        case QAbstractSocket::AddressInUseError: return {10048, "WSAEADDRINUSE"};
        case QAbstractSocket::SocketAddressNotAvailableError: return {10049, "WSAEADDRNOTAVAIL"};
        case QAbstractSocket::UnsupportedSocketOperationError: return {10045, "WSAEOPNOTSUPP"};
        case QAbstractSocket::OperationError: return {10022, "WSAEINVAL"};
        default: return {10053, "WSAECONNABORTED"};
    }
}

QString networkErrorText(QAbstractSocket::SocketError error) {
    auto [code, name] = networkErrorCode(error);
    return QStringLiteral("Error #%1 (%2)").arg(code).arg(QLatin1String(name));
}

}  // namespace quintrel::net
