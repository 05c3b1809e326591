#include "editor/PathPresets.h"

#include <iterator>

namespace {

const char* const kDefines[] = {
    "%WinDir%",
    "%ProgramFiles%",
    "%UserProfile%",
    "%AppData%",
    "[WIN_USERNAME]",
    "[PATH_SYS_TEMP]",
    "[PATH_SYS_DOWNLOADEDPROGRAMS]",
    "[PATH_SYS_SHELL_COOKIES]",
    "[PATH_SYS_SHELL_HISTORY]",
    "[PATH_SYS_SHELL_CACHE]",
    "[PATH_SYS_SHELL_RECENT]",
    "[PATH_APP_AOL_ROOT]",
    "[PATH_APP_FLASHGET_ROOT]",
    "[PATH_APP_GETRIGHT_ROOT]",
    "[PATH_APP_ICQ_ROOT]",
    "[PATH_APP_KAZAA_ROOT]",
    "[PATH_APP_IMESH_ROOT]",
    "[PATH_APP_IMESH_STOREROOT]",
    "[PATH_APP_OPERA_ROOT]",
    "[PATH_APP_OPERA_CACHE]",
    "[PATH_APP_OUTLOOKEXPRESS_STOREROOT]",
    "[PATH_APP_POWERDVD_ROOT]",
    "[PATH_APP_YAHOO_ROOT]",
    "[PATH_APP_YAHOO_USERSTOREROOT]",
    "[PATH_APP_WINAMP_ROOT]",
};

}  // namespace

StringVector PresetPathDefines()
{
    return StringVector(std::begin(kDefines), std::end(kDefines));
}
