#include "cleaner/shell/UpdateCheck.h"

#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/UpdateInfo.h"
#include "cleaner/shell/UrlFetcher.h"
#include "framework/WaitCursor.h"

namespace {

// The update file, when the server gave a well-formed one in time.
bool FetchUpdateInfo(CUpdateInfo& info)
{
    CWaitCursor wait;
    std::shared_ptr<CUrlFetcher> pFetcher = CUrlFetcher::Create();
    pFetcher->Start(ServerAddress(kUpdateInfoPath));
    return pFetcher->Wait() && ParseUpdateInfo(pFetcher->GetText(), info);
}

}  // namespace

void CheckForUpdates(HWND hOwner, const std::string& strInstalledVersion)
{
    CUpdateInfo info;
    if (!FetchUpdateInfo(info)) {
        MessageBoxA(hOwner,
                    "Update server is not found. Please verify your internet connection or try "
                    "a little later.",
                    kProductName, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!IsNewerVersion(info.nLatestVersion, strInstalledVersion)) {
        MessageBoxA(hOwner, "You already have latest version", kProductName,
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (MessageBoxA(hOwner,
                    "There is a new version detected. Click \"Yes\" to download latest version.",
                    kProductName, MB_YESNO | MB_ICONQUESTION) == IDYES)
        OpenAddress(info.strDownloadPage.c_str());
}
