#include "ScriptedScreen.h"

namespace velk {

QPoint ScriptedScreen::cursorPos() const { return m_cursorPos; }
bool ScriptedScreen::isKeyDown(int keyCode) const { return m_keysDown.count(keyCode) > 0; }
void ScriptedScreen::setCursorPos(const QPoint &pos) { m_cursorPos = pos; }

void ScriptedScreen::setKeyDown(int keyCode, bool down)
{
    if (down)
        m_keysDown.insert(keyCode);
    else
        m_keysDown.erase(keyCode);
}

void ScriptedScreen::releaseAllKeys() { m_keysDown.clear(); }

ScriptedScreenScope::ScriptedScreenScope()
{
    auto screen = std::make_unique<ScriptedScreen>();
    m_screen = screen.get();
    m_previous = Screen::setSource(std::move(screen));
}

ScriptedScreenScope::~ScriptedScreenScope()
{
    Screen::setSource(std::move(m_previous));
}

} // namespace velk
