#pragma once

#include "model/gaugemodel.h"

#include <QImage>

namespace qvgauge {

class Qv3dGauge;

// The gauge widget's state: the model that holds and checks every property, the pictures it
// shows decoded once per change, and the reactions to the model's change notices.
class Qv3dGaugePrivate : public GaugeObserver {
public:
    explicit Qv3dGaugePrivate(Qv3dGauge& gauge);

    // Reports a refused value; an accepted one has already been announced by the model.
    void report(DispId id, SetResult result);

    void propertyChanged(DispId id) override;
    void changed() override;

    // Brings everything kept beside the model in line with it, after a load or a reset.
    void afterLoad();
    void decodePictures();
    void applyCursor();
    void applyFont();
    void applyEnabled();
    // Sizes the gauge to its picture (plus the outer bevel) when Autosize asks for it. Runs on
    // a change of Picture, Autosize or BevelSize and after a load, never from a paint.
    void autosize();
    void takeResolution();
    void emitNotify(DispId id);

    Qv3dGauge& q;
    GaugeModel model;
    QImage picture;
    QImage pictureFill;
    QImage mouseIcon;
    bool syncingWidget = false; // the widget's font or enabled state is being set from the model
    bool afterDoubleClick = false; // the next button release ends a double click
};

} // namespace qvgauge
