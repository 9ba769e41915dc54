#pragma once

#include <QIcon>

namespace practice::ui {

// The product's icon (the original's resource 128): the windows' icon and the About box's.
QIcon ProductIcon();

}  // namespace practice::ui
