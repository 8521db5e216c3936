#pragma once
// The socket layer's own words. The table reacts to kSocketClosed exactly; the others are
// shown to the player in an error box.

#include <stdexcept>
#include <string>

namespace quintrel::net {

inline constexpr const char* kSocketClosed = "Socket Closed";
inline constexpr const char* kListeningStarted = "Listening Started";
inline constexpr const char* kListenBindError = "Listen - Error Binding Socket";
inline constexpr const char* kListenStartError = "Listen - Error Starting Listen";
inline constexpr const char* kHostLookupError = "Host Lookup - Could Not Find Host Entry";
inline constexpr const char* kSendNotConnected = "Send - Socket Not Connected";
inline constexpr const char* kAcceptNotListening = "Accept - Socket Not In Listening Mode";
inline constexpr const char* kCouldNotAccept = "Could Not Accept Connection";

// An operation of the socket layer failed; what() is the text to show.
class SocketError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quintrel::net
