// The link between the recording rows of the window procedure and the
// event wait: whether a designer event was recorded since the wait began,
// so that a wait ended by something else (a built-in window, the tray, the
// quit message) does not report a stale element event.
#pragma once

namespace kestrel::win32::designer {

// Called by the wait before its message loop.
void begin_event_wait();
// True when an element event was recorded since begin_event_wait.
bool event_recorded_since_wait();

}  // namespace kestrel::win32::designer
