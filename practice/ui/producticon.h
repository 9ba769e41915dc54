#pragma once

#include <QIcon>

namespace practice::ui {

// The product's icon (icons/Wordwell.png): the windows' icon and the About box's.
QIcon ProductIcon();

}  // namespace practice::ui
