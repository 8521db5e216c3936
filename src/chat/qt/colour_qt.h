#pragma once
// 0x00BBGGRR colours on screen. System colours (0x80000000 + index) follow the palette.

#include "chat/colour_text.h"

#include <QColor>

namespace quintrel::chat {

QColor toQColor(Colour colour);
Colour fromQColor(const QColor& colour);  // the picker's choice; alpha is dropped

}  // namespace quintrel::chat
