// An open registry key, closed when its holder goes.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

struct KeyCloser {
    void operator()(HKEY hKey) const { RegCloseKey(hKey); }
};
typedef std::unique_ptr<std::remove_pointer<HKEY>::type, KeyCloser> KeyHolder;
