#pragma once

#include "platform/framework/helprequest.h"

class QWidget;

namespace platform::help {

// The help request of a control: its pop-up topic from the application's help
// file, beside the control, owned by `owner`; nothing for a control without an id.
void ShowControlHelp(QWidget* owner, const platform::framework::HELPINFO* info);

}  // namespace platform::help
