#include "app/file_type_masks.h"
#include "app/main_form.h"
#include "app/replace_steps.h"
#include "app/still_listed.h"
#include "app/viewer_pacer.h"
#include "dialogs/message_dialog.h"
#include "replace/replace_checks.h"
#include "replace/replace_in_file.h"
#include "replace/run_plan.h"
#include "viewer/highlight_text.h"
#include "viewer/load_viewer_file.h"

#include <exception>
#include <iterator>
#include <optional>
#include <vector>

namespace app {

namespace {

// Files rewritten by the run are shown in red until it ends.
constexpr COLORREF kRunColour = RGB(255, 0, 0);

replace::RunPlan ListedFiles(const browse::FileListing& listing) {
    std::vector<std::wstring> names;
    for (int i = 0, count = listing.Count(); i < count; ++i) names.push_back(listing.Entry(i));
    return replace::RunPlan(listing.Directory(), std::move(names));
}

// One run over the files listed when it starts, with the texts the checks passed. "Confirm" is
// read afresh before each file, so that unticking it stops the questions; once the main window
// is gone (closed in a pump) it keeps what it last read, and the run goes on without the list,
// the viewer and the status bar, which went with the window.
class ReplaceAllRun {
public:
    ReplaceAllRun(TForm1& form, std::string search, std::string replacement)
        : form_(form),
          plan_(ListedFiles(form.FileListBox().Listing())),
          pacer_(form.TickCount),
          search_(std::move(search)),
          replacement_(std::move(replacement)) {}

    void Go() {
        for (size_t index = 0; index < plan_.Count(); ++index) {
            const platform::Path path = plan_.PathOf(index);
            const bool ask = Warn();
            if (ask) CatchUp();  // the question is asked over the file before it
            if (!ask || dialogs::ShowMessageDialog(replace::ReplaceFileQuestion(path),
                                                   dialogs::MessageKind::Confirmation,
                                                   dialogs::button::Yes | dialogs::button::No) == dialogs::result::Yes)
                Process(index, path, ask);
            PumpMessages();
        }
    }

private:
    void Process(size_t index, const platform::Path& path, bool asked) {
        // Decided as the file's turn comes: a file the viewer passes over is not selected in the
        // list either, which would move on before anyone saw it.
        const bool show = FormAlive(form_) && pacer_.ShowNow(index + 1 == plan_.Count(), asked);
        StoppingAt(index, [&] {
            if (show) {
                pacer_.Showing();
                SelectIfStillListed(index);
            }
            replace::ReplaceInFile(path, search_, replacement_, PumpMessages);
        });
        if (!FormAlive(form_)) return;
        if (!show) return pacer_.Skipped(index);
        StoppingAt(index, [&] { Show(path); });
    }

    // The entry moves the list's highlight only while the list still shows it where it was.
    void SelectIfStillListed(size_t index) {
        browse::FileListing& listing = form_.FileListBox().Listing();
        if (StillListed(plan_, index, listing.Directory(), listing.Count(), [&](int at) { return listing.Entry(at); }))
            listing.SelectIndex(static_cast<int>(index));
    }

    // The viewer steps of a rewritten file. The file's text goes into the viewer here and only here,
    // already in the run's red: colouring it after the load would lay the whole text out again.
    void Show(const platform::Path& path) {
        viewer::LoadViewerFile(form_.memHTML(), path, kRunColour);
        pacer_.Shown();
        form_.SetStatusText(path.Text());
        viewer::HighlightText(form_.memHTML(), replacement_);
    }

    // Brings the list and the viewer to the last rewritten file they passed over, if any.
    void CatchUp() {
        const std::optional<size_t> unshown = pacer_.Unshown();
        if (!unshown || !FormAlive(form_)) return;
        pacer_.Showing();
        SelectIfStillListed(*unshown);
        Show(plan_.PathOf(*unshown));
    }

    // When a step of the file at `index` fails, the run stops there and the window shows what it
    // would have shown without passing over any file: the file before in the viewer, this one
    // selected in the list. The stop's own error is the one the user is told of.
    template <typename Step>
    void StoppingAt(size_t index, Step&& step) {
        try {
            step();
        } catch (...) {
            std::exception_ptr stop = std::current_exception();
            try {
                CatchUp();
                if (FormAlive(form_)) SelectIfStillListed(index);
            } catch (...) {
            }
            std::rethrow_exception(stop);
        }
    }

    bool Warn() {
        if (FormAlive(form_)) warn_ = form_.WarnTicked();
        return warn_;
    }

    TForm1& form_;
    const replace::RunPlan plan_;
    ViewerPacer pacer_;
    const std::string search_, replacement_;
    bool warn_ = false;
};

}  // namespace

void TForm1::btnGlobReplaceClick() {
    const std::wstring mask = MaskForIndex(FileTypeIndex());
    // The texts the checks pass are the texts used for every file of the run.
    const std::string search = SearchText(), replacement = ReplaceText();
    const std::wstring failed = replace::FailedInputCheck(replace::Scope::ListedFiles, FileListBox().Listing().Count(),
                                                         {}, search, replacement);
    if (!failed.empty()) return Inform(failed);
    if (!WarnTicked() && !ConfirmedWithOK(replace::GlobalReplaceQuestion(mask))) return;

    {
        ProgressShown progress(frmSearchSplash());
        ReplaceAllRun(*this, search, replacement).Go();
    }
    Inform(replace::kGlobalReplaceCompleted);
    if (!FormAlive(*this)) return;
    memHTML().SetFontColor(viewer::kWindowTextColor);
    viewer::HighlightText(memHTML(), replacement);
}

}  // namespace app
