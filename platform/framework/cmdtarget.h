#pragma once

#include <QHash>
#include <QString>

#include <functional>

namespace platform::framework {

// What an update handler decides about one command before a menu or toolbar shows it.
class CCmdUI {
public:
    explicit CCmdUI(unsigned id) : m_nID(id) {}
    void Enable(bool on = true)
    {
        m_bEnabled = on;
        m_bDecided = true;
    }
    // For entries whose caption changes with the state (the recent files).
    void SetText(const QString& text) { m_strText = text; }
    void Show(bool visible)
    {
        m_bVisible = visible;
        m_bVisibilityDecided = true;
    }

    unsigned ID() const { return m_nID; }
    bool IsEnabled() const { return m_bEnabled; }
    bool IsDecided() const { return m_bDecided; }
    bool HasText() const { return !m_strText.isNull(); }
    const QString& Text() const { return m_strText; }
    bool IsVisible() const { return m_bVisible; }
    bool IsVisibilityDecided() const { return m_bVisibilityDecided; }

private:
    unsigned m_nID;
    bool m_bEnabled = true;
    bool m_bDecided = false;
    QString m_strText;
    bool m_bVisible = true;
    bool m_bVisibilityDecided = false;
};

// An object with a command map: handlers that carry out command ids and update
// handlers that decide whether they are enabled. Frames offer each command to a
// chain of targets (view, document, frame, application) until one takes it.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Carries out `id` when `ui` is null, else runs its update handler; true
    // when this target has the handler asked for.
    virtual bool OnCmdMsg(unsigned id, CCmdUI* ui);
    bool HasCommand(unsigned id) const { return m_commands.contains(id); }

protected:
    void OnCommand(unsigned id, std::function<void()> handler);
    void OnCommandRange(unsigned first, unsigned last, std::function<void(unsigned)> handler);
    void OnUpdateCommandUI(unsigned id, std::function<void(CCmdUI*)> handler);

private:
    QHash<unsigned, std::function<void()>> m_commands;
    QHash<unsigned, std::function<void(CCmdUI*)>> m_updates;
};

}  // namespace platform::framework
