#pragma once

#include "model/gaugemodel.h"

#include <string>
#include <vector>

namespace qvgauge::testing {

// Records what a gauge model reports, in order: "Min" for a property's change notice (by its
// name), "Change" for the Change event.
class RecordingObserver : public GaugeObserver {
public:
    explicit RecordingObserver(GaugeModel& model) { model.setObserver(this); }

    void propertyChanged(DispId id) override
    {
        const PropertyInfo* info = propertyInfo(id);
        events.push_back(info ? std::string(info->name) : "?");
    }
    void changed() override { events.push_back("Change"); }

    std::vector<std::string> take()
    {
        std::vector<std::string> taken;
        taken.swap(events);
        return taken;
    }

    std::vector<std::string> events;
};

} // namespace qvgauge::testing
