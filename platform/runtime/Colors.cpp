#include "platform/runtime/Colors.h"

#include <QGuiApplication>

namespace {

struct SystemColor {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// System colour indexes 0 to 24 and the palette entries that play their part.
constexpr SystemColor SystemColors[] = {
    {QPalette::Active, QPalette::Midlight},           // 0 scroll bars
    {QPalette::Active, QPalette::Dark},               // 1 desktop
    {QPalette::Active, QPalette::Highlight},          // 2 active title bar
    {QPalette::Inactive, QPalette::Highlight},        // 3 inactive title bar
    {QPalette::Active, QPalette::Window},             // 4 menu bar
    {QPalette::Active, QPalette::Base},               // 5 window background
    {QPalette::Active, QPalette::Shadow},             // 6 window frame
    {QPalette::Active, QPalette::WindowText},         // 7 menu text
    {QPalette::Active, QPalette::Text},               // 8 window text
    {QPalette::Active, QPalette::HighlightedText},    // 9 title bar text
    {QPalette::Active, QPalette::Window},             // 10 active border
    {QPalette::Inactive, QPalette::Window},           // 11 inactive border
    {QPalette::Active, QPalette::Dark},               // 12 application workspace
    {QPalette::Active, QPalette::Highlight},          // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},    // 14 highlight text
    {QPalette::Active, QPalette::Button},             // 15 button face
    {QPalette::Active, QPalette::Mid},                // 16 button shadow
    {QPalette::Disabled, QPalette::Text},             // 17 grey text
    {QPalette::Active, QPalette::ButtonText},         // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText},  // 19 inactive title bar text
    {QPalette::Active, QPalette::Light},              // 20 button highlight
    {QPalette::Active, QPalette::Shadow},             // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},           // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},        // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase},        // 24 tooltip background
};

}  // namespace

QColor OleColor(std::uint32_t value) { return OleColor(value, QGuiApplication::palette()); }

QColor OleColor(std::uint32_t value, const QPalette& palette) {
  if ((value & 0xFF000000u) == 0x80000000u) {
    const std::uint32_t index = value & 0x00FFFFFFu;
    if (index < std::size(SystemColors))
      return palette.color(SystemColors[index].group, SystemColors[index].role);
    return palette.color(QPalette::Active, QPalette::Window);
  }
  return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
