// The message queues: posted messages, and raw input events, each in the order they arrived.
// Retrieval takes posted messages before input, as the platform does, so a message posted after
// a tap is still handled before that tap. Input is routed only when it is retrieved, so that
// what earlier messages did (a capture taken by a button-down handler, a window hidden) decides
// where it goes.
#pragma once

#include "platform/user/wndobj.h"

#include <deque>

namespace user {

enum class InputKind { None, PointerDown, PointerUp, PointerMove, KeyDown, KeyUp };

struct QueueItem {
    InputKind input = InputKind::None; // None: a message in msg (posted, or input routed)
    MSG msg = {};
    POINT pt = {};  // raw pointer events: screen coordinates
    UINT key = 0;   // raw key events: virtual key
    DWORD time = 0; // clock at injection
};

std::deque<QueueItem>& InputQueue();
// Routes a raw input event into a window message; false when nobody takes it.
bool CookInput(const QueueItem& raw, MSG* out);

} // namespace user
