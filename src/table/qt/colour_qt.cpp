#include "table/qt/colour_qt.h"

#include <QApplication>
#include <QPalette>

#include <array>

namespace quintrel::table {
namespace {

// The nearest palette role for each system colour, in their numbering order.
constexpr std::array<QPalette::ColorRole, chat::kSystemColourCount> kRoles{
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

QColor toQColor(chat::Colour colour) {
    if (auto index = chat::systemColourIndex(colour)) return QApplication::palette().color(kRoles[*index]);
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

}  // namespace quintrel::table
