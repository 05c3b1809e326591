// A test with general settings and an action manager of its own, built when
// the test asks, between two removals of the product key. Both are gone
// before the key is removed again, so what they store at the end goes too.
#pragma once

#include "cleaner/model/ActionManager.h"
#include "cleaner/model/GeneralSettings.h"
#include "tests/support/TestRegistry.h"

#include <memory>

class CManagerTest : public CProductKeyTest {
protected:
    void SetUp() override
    {
        CProductKeyTest::SetUp();
        m_settings.reset(new CGeneralSettings);
    }
    void TearDown() override
    {
        m_manager.reset();
        m_settings.reset();
        CProductKeyTest::TearDown();
    }
    // The manager as the program builds it, from the settings as they are now.
    CActionManager& Build()
    {
        m_manager.reset();
        m_manager.reset(new CActionManager(*m_settings));
        return *m_manager;
    }

    std::unique_ptr<CGeneralSettings> m_settings;
    std::unique_ptr<CActionManager> m_manager;
};
