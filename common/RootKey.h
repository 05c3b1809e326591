// Registry root keys as the platform's predefined key handle values, which
// is how actions and plugin files store them.
#pragma once

#include <cstdint>
#include <string>

enum RootKey : uint32_t {
    RK_CLASSES_ROOT = 0x80000000u,
    RK_CURRENT_USER = 0x80000001u,
    RK_LOCAL_MACHINE = 0x80000002u,
    RK_USERS = 0x80000003u,
    RK_CURRENT_CONFIG = 0x80000005u,
};

// "HKEY_CURRENT_USER" and so on; "root key 0x..." for any other value.
std::string RootKeyName(uint32_t dwRoot);
