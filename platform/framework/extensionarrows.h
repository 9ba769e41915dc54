#pragma once

namespace platform::framework {

// Every menu bar and toolbar makes, hidden, the button with the "more items"
// arrow that it shows when it is too narrow for its items; the style reads
// that arrow from image files there and then, which loads Qt's image-format
// plugins: some 1.5 ms of a bare window's 20. Over the application's style
// (the one it has, whichever that is), the arrows are the style's own, read
// when one is first drawn. Called again, it changes nothing.
void DeferExtensionArrows();

}  // namespace platform::framework
