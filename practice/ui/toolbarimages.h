#pragma once

#include <QIcon>

namespace practice::ui {

// The toolbar's seven 16 × 15 images, left to right: new, open, save, the red
// T of Take Test, add or remove a word, list information, stop.
QIcon ToolbarImage(int index);

}  // namespace practice::ui
