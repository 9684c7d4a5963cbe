// Typed keys as the character the key produces, with the classic control codes for the
// keys that have one, so that filters can change a key ("," into ".") or drop it (None).
#pragma once

namespace KeyChar {
inline constexpr char16_t None = 0;
inline constexpr char16_t CtrlA = 1;
inline constexpr char16_t CtrlC = 3;
inline constexpr char16_t Backspace = 8;
inline constexpr char16_t Tab = 9;
inline constexpr char16_t Enter = 13;
inline constexpr char16_t CtrlV = 22;
inline constexpr char16_t CtrlX = 24;
inline constexpr char16_t CtrlZ = 26;
inline constexpr char16_t Esc = 27;
inline constexpr char16_t Blank = u' ';
} // namespace KeyChar

// The four basic operators as typed: "*", "+", "-", "/".
inline bool IsOperatorChar(char16_t key)
{
    return key == u'*' || key == u'+' || key == u'-' || key == u'/';
}
