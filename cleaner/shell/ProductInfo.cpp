#include "cleaner/shell/ProductInfo.h"

#include "cleaner/shell/Addresses.h"
#include "common/ProgramPath.h"
#include "common/RegValue.h"
#include "common/RegistryKeys.h"
#include "framework/HtmlHelp.h"

#include <windows.h>

#include <shellapi.h>

const char kProductName[] = "Veltrin PRO";
const char kCompanyWebsite[] = VELTRIN_COMPANY_URL;
const char kProductPage[] = VELTRIN_PRODUCT_URL;
const char kSupportAddress[] = "mailto:" VELTRIN_SUPPORT_EMAIL;
const char kUpdateInfoPath[] = "/veltrin/updatespro.txt";
const char kReportPath[] = "/veltrin/report.cgi";

namespace {

std::string ReadInstalledVersion()
{
    const std::string strVersion = ReadRegText(
        HKEY_LOCAL_MACHINE,
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
        "{9E3F2C18-6B7A-4F05-A1D2-53C8E4B7F690}",
        "DisplayVersion");
    return strVersion.empty() ? "???" : strVersion;
}

}  // namespace

const std::string g_strVersion = ReadInstalledVersion();
std::string g_strHelpBase;

void InitHelpBase()
{
    g_strHelpBase = GetProgramFolder() + "\\Veltrin.chm::/htm/";
}

void ShowHelpPage(const char* pszPage)
{
    ShowHelpTopic(nullptr, g_strHelpBase + pszPage);
}

namespace {

void OpenInDefaultHandler(const char* pszAddress)
{
    ShellExecuteA(nullptr, "open", pszAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

AddressOpener g_pfnOpenAddress = OpenInDefaultHandler;

}  // namespace

void OpenAddress(const char* pszAddress)
{
    g_pfnOpenAddress(pszAddress);
}

AddressOpener SetAddressOpener(AddressOpener pfnOpen)
{
    const AddressOpener pfnPrevious = g_pfnOpenAddress;
    g_pfnOpenAddress = pfnOpen ? pfnOpen : OpenInDefaultHandler;
    return pfnPrevious;
}

std::string ServerAddress(const char* pszPath)
{
    std::string strBase = ReadRegText(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl");
    if (strBase.empty())
        strBase = VELTRIN_SERVER_URL;
    while (!strBase.empty() && strBase.back() == '/')
        strBase.pop_back();
    return strBase + pszPath;
}
