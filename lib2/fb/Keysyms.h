// The X keysyms that the widgets, the window layer, the dialog model and
// their tests name, as plain numbers, so that none of them needs X headers.
// Every such key is named here and nowhere else.
#pragma once

namespace fb::keysym {

inline constexpr unsigned int space = 0x20;
inline constexpr unsigned int ISO_Left_Tab = 0xFE20;
inline constexpr unsigned int dead_acute = 0xFE51;
inline constexpr unsigned int BackSpace = 0xFF08;
inline constexpr unsigned int Tab = 0xFF09;
inline constexpr unsigned int Return = 0xFF0D;
inline constexpr unsigned int Escape = 0xFF1B;
inline constexpr unsigned int Home = 0xFF50;
inline constexpr unsigned int Left = 0xFF51;
inline constexpr unsigned int Up = 0xFF52;
inline constexpr unsigned int Right = 0xFF53;
inline constexpr unsigned int Down = 0xFF54;
inline constexpr unsigned int End = 0xFF57;
inline constexpr unsigned int KP_Tab = 0xFF89;
inline constexpr unsigned int KP_Enter = 0xFF8D;
inline constexpr unsigned int Shift_L = 0xFFE1;
inline constexpr unsigned int Shift_R = 0xFFE2;
inline constexpr unsigned int Control_L = 0xFFE3;
inline constexpr unsigned int Control_R = 0xFFE4;
inline constexpr unsigned int Alt_L = 0xFFE9;
inline constexpr unsigned int Alt_R = 0xFFEA;
inline constexpr unsigned int Delete = 0xFFFF;

}  // namespace fb::keysym
