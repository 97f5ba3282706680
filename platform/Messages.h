// The one message queue of the one thread, under the platform's names.
//
// Order of retrieval: posted messages (first in, first out), then the quit state, then input, then
// WM_PAINT for a window with an invalid area. Messages for a window that has died are dropped.
#pragma once

#include <vector>

#include "platform/Types.h"

// A direct call of the window's procedure; 0 for a dead window. Pumps nothing.
LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Always queued, never dispatched on the spot. FALSE (and dropped) for a NULL or dead window.
BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Every loop ends on it; the exit code travels in the quit message's wParam.
void PostQuitMessage(int exitCode);
// Blocks until a message is available; returns 0 for WM_QUIT. Filters are not supported: pass NULL, 0, 0.
BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
// Never blocks. Only PM_REMOVE is supported; filters as for GetMessageW.
BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove);
// A key-down of a key that types a character posts WM_CHAR with that character.
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);

namespace platform {

struct InputEvent;

// Called by backends: the event waits in the input queue until a message loop takes it.
void QueueInput(const InputEvent& event);
// Whether a close request (InputType::Close) waits in the input queue: the program is about to end.
bool CloseRequestPending();

// For tests: what is queued, without taking it.
std::vector<MSG> PendingPostedMessages();
size_t PendingInputCount();

// Drops everything queued and the quit state (a fresh platform state).
void ResetMessageQueue();

}  // namespace platform
