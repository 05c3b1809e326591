#include "common/RootKey.h"

#include <cstdio>

std::string RootKeyName(uint32_t dwRoot)
{
    switch (dwRoot) {
    case RK_CLASSES_ROOT:
        return "HKEY_CLASSES_ROOT";
    case RK_CURRENT_USER:
        return "HKEY_CURRENT_USER";
    case RK_LOCAL_MACHINE:
        return "HKEY_LOCAL_MACHINE";
    case RK_USERS:
        return "HKEY_USERS";
    case RK_CURRENT_CONFIG:
        return "HKEY_CURRENT_CONFIG";
    default: {
        char szRoot[32];
        std::snprintf(szRoot, sizeof(szRoot), "root key 0x%08lX", static_cast<unsigned long>(dwRoot));
        return szRoot;
    }
    }
}
