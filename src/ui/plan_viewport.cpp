#include "ui/plan_viewport.h"

#include <algorithm>
#include <cmath>

namespace ormevak {

PlanViewport::PlanViewport(const PlanWindow& window, QSizeF area) : window_(window) {
    const double w = window.right - window.left;
    const double h = window.bottom - window.top;
    if (!(w > 0) || !(h > 0) || !(area.width() > 0) || !(area.height() > 0)) return;
    scale_ = std::min(area.width() / w, area.height() / h);
    // A window of the area's own shape is not centred: the rounding left over from its fit
    // would shift every point by a hair and carry lines on whole pixels across a pixel edge.
    auto margin = [](double spare) { return std::abs(spare) < 1e-6 ? 0.0 : spare / 2; };
    offsetX_ = margin(area.width() - w * scale_);
    offsetY_ = margin(area.height() - h * scale_);
}

PlanViewport PlanViewport::resized(QSizeF area) const {
    PlanViewport v(window_, area);
    v.zoom_ = zoom_;
    v.pan_ = pan_;
    return v;
}

QPointF PlanViewport::toPixels(double x, double z) const {
    return {(offsetX_ + (x - window_.left) * scale_) * zoom_ + pan_.x(),
            (offsetY_ + (z - window_.top) * scale_) * zoom_ + pan_.y()};
}

QPointF PlanViewport::toPlan(QPointF pixels) const {
    if (!(scale_ > 0)) return {window_.left, window_.top};
    const double px = (pixels.x() - pan_.x()) / zoom_;
    const double py = (pixels.y() - pan_.y()) / zoom_;
    return {window_.left + (px - offsetX_) / scale_, window_.top + (py - offsetY_) / scale_};
}

double PlanViewport::lengthToPlan(double pixels) const {
    return scale_ > 0 ? pixels / scale_ / zoom_ : 0.0;
}

void PlanViewport::zoomAbout(QPointF pixels, double factor) {
    if (!(factor > 0)) return;
    const double zoom = std::clamp(zoom_ * factor, kMinZoom, kMaxZoom);
    // The point under the pointer stays: pixels = base * zoom + pan before and after.
    const QPointF base = (pixels - pan_) / zoom_;
    zoom_ = zoom;
    pan_ = pixels - base * zoom_;
}

void PlanViewport::panBy(QPointF pixels) {
    pan_ += pixels;
}

void PlanViewport::fit() {
    zoom_ = 1;
    pan_ = QPointF();
}

} // namespace ormevak
