#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

// Colour values as the program's windows store them: &H80000000 + n names system colour n (taken
// from the palette, so the windows follow the desktop theme), anything else is a plain &HBBGGRR
// value.
namespace colors {

inline constexpr std::uint32_t vbWindowBackground = 0x80000005;
inline constexpr std::uint32_t vbWindowText = 0x80000008;
inline constexpr std::uint32_t vbHighlight = 0x8000000D;
inline constexpr std::uint32_t vbHighlightText = 0x8000000E;
inline constexpr std::uint32_t vbButtonFace = 0x8000000F;
inline constexpr std::uint32_t vbButtonShadow = 0x80000010;
inline constexpr std::uint32_t vbGrayText = 0x80000011;
inline constexpr std::uint32_t vbButtonText = 0x80000012;
inline constexpr std::uint32_t vbInfoText = 0x80000017;
inline constexpr std::uint32_t vbInfoBackground = 0x80000018;

}  // namespace colors

// The colour of a stored value under the application's palette (or the one given).
QColor OleColor(std::uint32_t value);
QColor OleColor(std::uint32_t value, const QPalette& palette);
