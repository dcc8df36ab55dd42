#include "app/viewer_pacer.h"

#include <algorithm>

namespace app {

ViewerPacer::ViewerPacer(Clock clock) : clock_(std::move(clock)), lastShown_(clock_()) {}

bool ViewerPacer::ShowNow(bool lastFile, bool askedAbout) const {
    if (lastFile || askedAbout) return true;
    // Unsigned differences: right across the counter's wrap.
    return clock_() - lastShown_ >= std::max(kInterval, kCostFactor * lastCost_);
}

void ViewerPacer::Showing() { showStarted_ = clock_(); }

void ViewerPacer::Shown() {
    lastShown_ = clock_();
    lastCost_ = lastShown_ - showStarted_;
    unshown_.reset();
}

}  // namespace app
