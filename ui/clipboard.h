#pragma once
// Putting text on the clipboard.

#include <windows.h>

#include <string>

// Puts `text` on the clipboard as Unicode text, and as ANSI text for programs that read only
// that. While another program holds the clipboard it tries again, with growing waits, for
// 1.27 seconds; false if the text could not be put there whole.
bool PutTextOnClipboard(HWND owner, const std::wstring& text);
