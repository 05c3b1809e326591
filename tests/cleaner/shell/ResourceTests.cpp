// Veltrin.exe's resources against its code. The main window's dialog procedure answers
// TRUE for a command it handles; each command goes to a window of its own, as some end it.
#include "cleaner/shell/DlgVeltrin.h"
#include "cleaner/shell/resource.h"
#include "common/ProgramPath.h"
#include "common/RegistryKeys.h"
#include "tests/support/AddressRecorder.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/ProgramResources.h"

class Resources : public CleaningRun {};

TEST_F(Resources, EveryDialogCreatesEveryCommandIsHandledAndThePicturesAreThere)
{
    const std::string strPath = GetProgramFolder() + "\\Veltrin.exe";
    HMODULE hProgram = LoadLibraryExA(strPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(hProgram, nullptr) << strPath;
    // Commands run harmlessly: no action on, no server, no browser, every box closed.
    WriteStringValue(kSettingsKey, "strServerUrl", "http://127.0.0.1:9");
    Build();
    CAddressRecorder addresses;
    CModalAnswers answers;
    answers.AnswerEvery([](HWND hDialog) {
        ClickButton(hDialog, GetDlgItem(hDialog, IDCANCEL) ? IDCANCEL : IDOK);
    });
    ProgramResourceUse use;
    use.isHandled = [this](WORD wCommand) {
        CDlgVeltrin window(*m_manager);
        return window.Create(nullptr) &&
               reinterpret_cast<DLGPROC>(GetWindowLongPtrA(window, DWLP_DLGPROC))(
                   window, WM_COMMAND, wCommand, 0);
    };
    use.bitmaps = {IDB_BANNER,         IDB_LOG_IMAGES,    IDB_TOOLBAR,      IDB_TOOLBAR_HOT,
                   IDB_FEATURE_IMAGES, IDB_WIZARD_BANNER, IDB_DRIVE_IMAGES, IDB_PAGE_BACKGROUND};
    use.icons = {IDR_MAINFRAME, IDI_TRAY};
    ExpectUsableResources(hProgram, use);
    FreeLibrary(hProgram);
}
