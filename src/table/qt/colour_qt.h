#pragma once
// 0x00BBGGRR colours on screen. System colours (0x80000000 + index) follow the palette.

#include "chat/colour_text.h"

#include <QColor>

namespace quintrel::table {

QColor toQColor(chat::Colour colour);

}  // namespace quintrel::table
