#pragma once
// Handing a link or a file to the desktop (the user's browser, the file's own program).
// Tests put a recorder in its place, so that nothing leaves the test.

#include <QUrl>

#include <functional>

namespace quintrel {

// True when the desktop took the link or file.
using DesktopOpener = std::function<bool(const QUrl& url)>;

bool openOnDesktop(const QUrl& url);
// An empty opener restores the desktop's.
void setDesktopOpener(DesktopOpener opener);

}  // namespace quintrel
