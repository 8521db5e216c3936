#include "chat/qt/colour_qt.h"

#include <QApplication>
#include <QPalette>

#include <array>

namespace quintrel::chat {
namespace {

// The nearest palette role for each system colour, in their numbering order.
constexpr std::array<QPalette::ColorRole, kSystemColourCount> kRoles{
    QPalette::Button,           // clScrollBar
    QPalette::Window,           // clBackground
    QPalette::Highlight,        // clActiveCaption
    QPalette::Mid,              // clInactiveCaption
    QPalette::Button,           // clMenu
    QPalette::Base,             // clWindow
    QPalette::Shadow,           // clWindowFrame
    QPalette::ButtonText,       // clMenuText
    QPalette::Text,             // clWindowText
    QPalette::HighlightedText,  // clCaptionText
    QPalette::Midlight,         // clActiveBorder
    QPalette::Midlight,         // clInactiveBorder
    QPalette::Dark,             // clAppWorkSpace
    QPalette::Highlight,        // clHighlight
    QPalette::HighlightedText,  // clHighlightText
    QPalette::Button,           // clBtnFace
    QPalette::Dark,             // clBtnShadow
    QPalette::PlaceholderText,  // clGrayText
    QPalette::ButtonText,       // clBtnText
    QPalette::Text,             // clInactiveCaptionText
    QPalette::Light,            // clBtnHighlight
    QPalette::Shadow,           // cl3DDkShadow
    QPalette::Midlight,         // cl3DLight
    QPalette::ToolTipText,      // clInfoText
    QPalette::ToolTipBase,      // clInfoBk
};

}  // namespace

QColor toQColor(Colour colour) {
    if (auto index = systemColourIndex(colour)) return QApplication::palette().color(kRoles[*index]);
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

Colour fromQColor(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<Colour>(rgb.red()) | (static_cast<Colour>(rgb.green()) << 8) |
           (static_cast<Colour>(rgb.blue()) << 16);
}

}  // namespace quintrel::chat
