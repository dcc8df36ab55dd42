// Start-up: the application, its main window and the progress window, then the message loop.
#include "app/main_form.h"
#include "app/private_state.h"
#include "app/search_splash.h"
#include "app/start_path.h"
#include "dialogs/error_report.h"
#include "platform/command_line.h"
#include "platform/shell.h"
#include "replace/rewrite_journal.h"
#include "widgets/application.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        // Against the folder it was started in, before the listing makes another one current.
        const platform::Path startPath = app::StartPath(platform::CommandLineArguments()).Absolute();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_ANIMATE_CLASS};
        ::InitCommonControlsEx(&icc);
        widgets::Application application("Zavotek - Search & Replace");
        widgets::SetErrorHandler(dialogs::ReportError);
        app::TForm1 form(platform::SystemShell());
        // Whatever a stopped run left part-written is finished before the user sees a file.
        replace::FinishInterruptedRewrites(platform::SystemFileSystem(), form.JournalFolder());
        app::TfrmSearchSplash frmSearchSplash;
        form.SetProgressWindow(frmSearchSplash);
        form.Show(startPath);
        return application.Run();
    } catch (...) {
        return dialogs::ShowLastChanceBox();
    }
}
