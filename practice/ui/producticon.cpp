#include "practice/ui/producticon.h"

// A static library's resources are linked in only when something asks for
// them; the macro must name the resource outside every namespace.
static void registerIcons()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace practice::ui {

QIcon ProductIcon()
{
    registerIcons();
    return QIcon(QStringLiteral(":/icons/Wordwell.png"));
}

}  // namespace practice::ui
