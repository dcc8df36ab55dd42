#include "replace/viewer_pacer.h"

namespace replace {

ViewerPacer::ViewerPacer(Clock clock) : clock_(std::move(clock)) {}

bool ViewerPacer::ShowNow(bool lastFile, bool askedAbout) const {
    // Unsigned difference: right across the counter's wrap.
    return lastFile || askedAbout || !shownAny_ || clock_() - lastShown_ >= kInterval;
}

void ViewerPacer::Shown() {
    shownAny_ = true;
    lastShown_ = clock_();
    unshown_.reset();
}

}  // namespace replace
