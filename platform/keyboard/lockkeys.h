#pragma once

#include <optional>

namespace platform::keyboard {

struct LockKeys {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// The lock keys as the keyboard's own lights show them. Nothing when the window
// system does not say (Wayland, offscreen): then only presses seen can be followed.
std::optional<LockKeys> ReadLockKeys();

}  // namespace platform::keyboard
