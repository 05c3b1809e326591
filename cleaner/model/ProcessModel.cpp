// The general settings must be read before the action manager is built (its
// catalogue reads them) and written after it is destroyed (it stores into
// them). Both live in function-local statics, and the manager's constructor
// asks for the settings first, so the settings finish construction first.
// Objects with static storage duration are destroyed in the reverse order of
// their construction, which puts the settings' destruction, and so their
// write to the registry, after the manager's. The order therefore does not
// depend on the order in which translation units are initialised, and any
// static initialiser elsewhere that reaches for the manager gets a built one.
//
// This file belongs to the program only, not to the model's library, so that
// tests of the model create their own settings and manager.
#include "cleaner/model/ProcessModel.h"

CGeneralSettings& GetGeneralSettings()
{
    static CGeneralSettings s_settings;
    return s_settings;
}

CActionManager& GetActionManager()
{
    static CActionManager s_manager(GetGeneralSettings());
    return s_manager;
}

namespace {

// Creates both during static initialisation, before the program starts.
[[maybe_unused]] const bool g_bModelCreated = (GetActionManager(), true);

}  // namespace
