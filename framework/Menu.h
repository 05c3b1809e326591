// A menu loaded from the resources, owned by the wrapper.
#pragma once

#include <windows.h>

class CMenu {
public:
    CMenu() = default;
    ~CMenu() { Destroy(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    bool Load(UINT nMenuId);
    void Destroy()
    {
        if (m_hMenu)
            DestroyMenu(m_hMenu);
        m_hMenu = nullptr;
    }
    HMENU GetHandle() const { return m_hMenu; }
    // A popup of the menu; owned by the menu.
    HMENU GetSubMenu(int nPosition) const { return ::GetSubMenu(m_hMenu, nPosition); }

private:
    HMENU m_hMenu = nullptr;
};
