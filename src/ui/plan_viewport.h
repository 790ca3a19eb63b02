// The mapping of plan millimetres onto the pixels of a drawing area, shared by the plan of
// footings and the column node window.
#pragma once

#include <QPointF>
#include <QSizeF>

#include "plan/plan_labels.h"

namespace ormevak {

// Maps plan millimetres (x to the right, z downwards) to the pixels of a drawing area and back.
// The plan window is fixed when the plan loads; an area of another shape later keeps both scales
// equal and centres the window in it, so nothing of the fixed window is ever cut off. That fit
// is then zoomed and panned by the user: zoom 1 and no pan show the whole window.
class PlanViewport {
  public:
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 400;

    PlanViewport() = default;
    PlanViewport(const PlanWindow& window, QSizeF area);
    // The same window, zoom and pan on an area of another size.
    PlanViewport resized(QSizeF area) const;

    const PlanWindow& window() const { return window_; }
    double pixelsPerMm() const { return scale_ * zoom_; }
    double zoom() const { return zoom_; }
    QPointF pan() const { return pan_; }
    QPointF toPixels(double x, double z) const;
    QPointF toPlan(QPointF pixels) const;
    double lengthToPlan(double pixels) const;

    // Zooms by `factor` keeping the plan point under `pixels` where it is; the zoom stays within
    // kMinZoom..kMaxZoom.
    void zoomAbout(QPointF pixels, double factor);
    void panBy(QPointF pixels);
    // The whole plan window again.
    void fit();
    // Neither zoomed nor panned since the last fit.
    bool fitted() const { return zoom_ == 1 && pan_.isNull(); }

  private:
    PlanWindow window_;
    double scale_ = 0;
    double offsetX_ = 0, offsetY_ = 0;
    double zoom_ = 1;
    QPointF pan_;
};

} // namespace ormevak
