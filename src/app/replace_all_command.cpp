#include "app/file_type_masks.h"
#include "app/main_form.h"
#include "app/replace_steps.h"
#include "app/still_listed.h"
#include "app/viewer_pacer.h"
#include "app/work_aside.h"
#include "dialogs/message_dialog.h"
#include "replace/replace_checks.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "replace/rewrite_journal.h"
#include "replace/rewrite_queue.h"
#include "replace/run_plan.h"
#include "replace/undo_store.h"
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
// Writing this many bytes takes some 5 ms under Wine, and starting a thread to write them aside a
// few per cent of that; fewer are written on the window thread.
constexpr LONGLONG kWriteAsideFrom = 1024 * 1024;

// Runs `write`, a step that writes `bytes`, aside when they are many.
template <typename Write>
void Writing(LONGLONG bytes, Write&& write) {
    if (bytes < kWriteAsideFrom) write();
    else WorkAside(write);
}

replace::RunPlan ListedFiles(const browse::FileListing& listing) {
    std::vector<std::wstring> names;
    for (int i = 0, count = listing.Count(); i < count; ++i) names.push_back(listing.Entry(i));
    return replace::RunPlan(listing.Directory(), std::move(names));
}

// One run over the files listed when it starts, with the texts the checks passed. Files are
// prepared ahead on other threads and written here, one after another. "Confirm" is read
// afresh before each file, so that unticking it stops the questions; once the main window
// is gone (closed in a pump) it keeps what it last read, and the run goes on without the list,
// the viewer and the status bar, which went with the window.
class ReplaceAllRun {
public:
    ReplaceAllRun(TForm1& form, std::string search, std::string replacement)
        : form_(form),
          plan_(ListedFiles(form.FileListBox().Listing())),
          running_(form),
          journal_(platform::SystemFileSystem(), form.JournalFolder()),
          undo_(platform::SystemFileSystem(), form.UndoFolder(), replace::UndoKind::ReplaceAll, plan_.Directory()),
          pacer_(form.TickCount),
          search_(std::move(search)),
          replacement_(std::move(replacement)) {}

    void Go() {
        replace::RewriteQueue queue(platform::SystemFileSystem(), platform::SystemCodePage(), search_, replacement_);
        queue.Run({plan_.Count(), [this] { return Warn(); },
                   [this](size_t index) -> std::optional<platform::Path> {
                       if (Warn() && !Confirmed(plan_.PathOf(index), index)) return std::nullopt;
                       return plan_.PathOf(index);
                   },
                   [this](std::vector<replace::RewriteQueue::Prepared>& group) { PutInPlace(group); },
                   [this] { pump_.Now(); }});
    }

private:
    // The question is asked over the file before it.
    bool Confirmed(const platform::Path& path, size_t index) {
        CatchUp();
        const bool yes = dialogs::ShowMessageDialog(replace::ReplaceFileQuestion(path),
                                                    dialogs::MessageKind::Confirmation,
                                                    dialogs::button::Yes | dialogs::button::No) == dialogs::result::Yes;
        if (yes) askedAbout_ = index;
        else PumpMessages();
        warnReadAt_.reset();
        return yes;
    }

    // The group's records reach the disk together before its first file changes; a group whose
    // records cannot be written stops the run at its first file, which is left as it was.
    void PutInPlace(std::vector<replace::RewriteQueue::Prepared>& group) {
        std::vector<const replace::Rewrite*> rewrites;
        LONGLONG bytes = 0;
        for (const auto& prepared : group)
            if (prepared.rewrite) {
                rewrites.push_back(prepared.rewrite.get());
                if (prepared.rewrite->Changed()) bytes += prepared.rewrite->NewLength();
            }
        StoppingAt(group.front().index, [&] { Writing(bytes, [&] { journal_.Write(rewrites); }); });
        for (auto& prepared : group) PutInPlace(prepared);
    }

    void PutInPlace(replace::RewriteQueue::Prepared& prepared) {
        const size_t index = prepared.index;
        // Decided as the file's turn comes: a file the viewer passes over is not selected in the
        // list either, which would move on before anyone saw it.
        const bool show = FormAlive(form_) && pacer_.ShowNow(index + 1 == plan_.Count(), askedAbout_ == index);
        StoppingAt(index, [&] {
            if (show) {
                pacer_.Showing();
                SelectIfStillListed(index);
            }
            if (prepared.error) std::rethrow_exception(prepared.error);
            const replace::Rewrite& rewrite = *prepared.rewrite;
            // The file is let go before the viewer opens it, and its bytes given back where they
            // were written: hundreds of MiB take a tenth of a second to give back.
            Writing(rewrite.Changed() ? rewrite.Size() + rewrite.NewLength() : 0, [&] {
                prepared.rewrite->Commit(journal_);
                undo_.Keep(*prepared.rewrite);
                prepared.rewrite.reset();
            });
        });
        pump_.Now();
        if (!FormAlive(form_)) return;
        if (!show) return pacer_.Skipped(index);
        StoppingAt(index, [&] { Show(plan_.PathOf(index)); });
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
        form_.SetStatusText(path.Text());
        viewer::HighlightText(form_.memHTML(), replacement_);
        WaitForViewer();
        pacer_.Shown();
    }

    // The file goes into the viewer and its replacement is selected between the window's messages;
    // the run waits for that, the pacing counting what it costs, unless something else is shown.
    void WaitForViewer() {
        viewer::RichViewer& pane = form_.memHTML();
        const std::uint64_t shown = pane.ContentSerial();
        while (FormAlive(form_) && pane.ContentSerial() == shown && pane.Working()) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, PacedPump::kEvery, QS_ALLINPUT);
            PumpMessages();
        }
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

    // "Confirm" can change only while the window handles messages: it is read again after each
    // pump and each question, which is as good as before each file, and far cheaper under Wine.
    bool Warn() {
        if (warnReadAt_ && *warnReadAt_ == pump_.Pumps()) return warn_;
        warnReadAt_ = pump_.Pumps();
        if (FormAlive(form_)) warn_ = form_.WarnTicked();
        return warn_;
    }

    TForm1& form_;
    const replace::RunPlan plan_;
    TForm1::RunningCommand running_;
    // One journal for the whole run, in the user's private folder, removed when the run ends; and
    // what undoing the run needs, kept beside it.
    replace::RewriteJournal journal_;
    replace::UndoKeeper undo_;
    ViewerPacer pacer_;
    const std::string search_, replacement_;
    bool warn_ = false;
    std::optional<unsigned> warnReadAt_;
    std::optional<size_t> askedAbout_;
    PacedPump pump_;
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

    // The files are about to change: the rest of the shown one's old text is not worth putting in.
    memHTML().StopLoading();
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
