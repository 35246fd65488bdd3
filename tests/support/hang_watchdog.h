#pragma once

// How long a test waits for the window system before it calls the wait a
// hang. Qt's own 5 s is a deadline a sanitized build on two busy cores can
// miss; a wait that is met returns at once, so only a real hang pays it.
inline constexpr int hangWatchdogMs = 30000;
