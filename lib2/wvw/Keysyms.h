// The X keysyms the widgets act on, as plain numbers, so that the widget set
// and its tests need no X headers.
#pragma once

namespace wvw::keysym {

inline constexpr unsigned int space = 0x20;
inline constexpr unsigned int Tab = 0xFF09;
inline constexpr unsigned int Return = 0xFF0D;
inline constexpr unsigned int Escape = 0xFF1B;
inline constexpr unsigned int Home = 0xFF50;
inline constexpr unsigned int Left = 0xFF51;
inline constexpr unsigned int Up = 0xFF52;
inline constexpr unsigned int Right = 0xFF53;
inline constexpr unsigned int Down = 0xFF54;
inline constexpr unsigned int End = 0xFF57;
inline constexpr unsigned int Shift_L = 0xFFE1;
inline constexpr unsigned int Shift_R = 0xFFE2;
inline constexpr unsigned int Control_L = 0xFFE3;
inline constexpr unsigned int Control_R = 0xFFE4;
inline constexpr unsigned int Alt_L = 0xFFE9;
inline constexpr unsigned int Alt_R = 0xFFEA;

}  // namespace wvw::keysym
