#pragma once

#include <string>

// UTF-8 text as UTF-16; a byte that belongs to no valid sequence becomes U+FFFD.
std::wstring DecodeUtf8(const std::string& Text);

// Cuts tabs, line ends, blanks and full stops off the end of a debug string; false when nothing is left.
bool TrimDebugText(std::wstring& Text);

// Text of the debuggee made safe for a terminal: tabs and line ends pass, every other control
// character (C0, DEL, C1; a carriage return not before a line feed) becomes "?", so that no escape
// sequence, bell or overwritten line reaches the person.
std::wstring TerminalSafeText(std::wstring Text);
