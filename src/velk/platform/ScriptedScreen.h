#pragma once

// A screen source that tests script: the cursor stands where the test puts it and exactly
// the keys the test holds are down.

#include <velk/platform/Screen.h>

#include <set>

namespace velk {

class VELK_EXPORT ScriptedScreen : public ScreenSource
{
public:
    QPoint cursorPos() const override;
    bool isKeyDown(int keyCode) const override;

    void setCursorPos(const QPoint &pos);
    /// Holds (or releases) the key with this key code; 1/2/4 are mouse buttons,
    /// 16/17/18 Shift, Ctrl and Alt.
    void setKeyDown(int keyCode, bool down = true);
    void releaseAllKeys();

private:
    QPoint m_cursorPos;
    std::set<int> m_keysDown;
};

/// Installs a ScriptedScreen for its lifetime and restores the previous source afterwards:
///     ScriptedScreenScope screen;
///     screen->setCursorPos({10, 10});
class VELK_EXPORT ScriptedScreenScope
{
public:
    ScriptedScreenScope();
    ~ScriptedScreenScope();
    ScriptedScreenScope(const ScriptedScreenScope &) = delete;
    ScriptedScreenScope &operator=(const ScriptedScreenScope &) = delete;

    ScriptedScreen &screen() { return *m_screen; }
    ScriptedScreen *operator->() { return m_screen; }

private:
    ScriptedScreen *m_screen; ///< owned by the installed source
    std::unique_ptr<ScreenSource> m_previous;
};

} // namespace velk
