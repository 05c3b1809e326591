#include "framework/Menu.h"

#include "framework/Window.h"

bool CMenu::Load(UINT nMenuId)
{
    Destroy();
    m_hMenu = LoadMenuA(GetResourceInstance(), MAKEINTRESOURCEA(nMenuId));
    return m_hMenu != nullptr;
}
