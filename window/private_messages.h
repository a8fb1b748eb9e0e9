// The window's private messages (2025 to 2029) are obeyed only when the
// plug-in's own code sent them. The window's class name is public, so any
// program may send it anything; a pointer in such a message would be read in
// the host's process, and a hide-all from outside would silence the user's
// notifications. The plug-in sends them through sendPrivateMessage, which
// marks each send; the window procedure takes the mark when the message
// arrives, and refuses a private message that carries none.
#pragma once
#include <windows.h>

// SendMessageA of a private message to the window, marked as the plug-in's
// own. Also from another thread: the send crosses to the window's thread and
// is still known there. A null window answers 0 and sends nothing.
LRESULT sendPrivateMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// In the window procedure: whether this private message is one the plug-in
// is sending now; its mark is used up.
bool sentByPlugin(UINT message, WPARAM wParam, LPARAM lParam);
