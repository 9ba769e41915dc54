#include "platform/keyboard/lockkeys.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace platform::keyboard {

std::optional<LockKeys> ReadLockKeys()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    // By name rather than by bit: a keymap may place its indicators anywhere.
    static char* names[] = {const_cast<char*>("Caps Lock"), const_cast<char*>("Num Lock"),
                            const_cast<char*>("Scroll Lock")};
    Atom atoms[3];
    if (!XInternAtoms(display, names, 3, False, atoms))
        return std::nullopt;
    bool on[3] = {};
    for (int i = 0; i < 3; ++i) {
        Bool state = False;
        on[i] = XkbGetNamedIndicator(display, atoms[i], nullptr, &state, nullptr, nullptr) && state;
    }
    return LockKeys{on[0], on[1], on[2]};
}

}  // namespace platform::keyboard
