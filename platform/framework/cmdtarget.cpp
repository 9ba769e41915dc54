#include "platform/framework/cmdtarget.h"

namespace platform::framework {

bool CCmdTarget::OnCmdMsg(unsigned id, CCmdUI* ui)
{
    if (ui) {
        const auto update = m_updates.constFind(id);
        if (update == m_updates.constEnd())
            return false;
        (*update)(ui);
        return true;
    }
    const auto command = m_commands.constFind(id);
    if (command == m_commands.constEnd())
        return false;
    (*command)();
    return true;
}

void CCmdTarget::OnCommand(unsigned id, std::function<void()> handler)
{
    m_commands.insert(id, std::move(handler));
}

void CCmdTarget::OnCommandRange(unsigned first, unsigned last, std::function<void(unsigned)> handler)
{
    for (unsigned id = first; id <= last; ++id)
        m_commands.insert(id, [handler, id] { handler(id); });
}

void CCmdTarget::OnUpdateCommandUI(unsigned id, std::function<void(CCmdUI*)> handler)
{
    m_updates.insert(id, std::move(handler));
}

}  // namespace platform::framework
