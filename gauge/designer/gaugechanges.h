#pragma once

#include <QByteArray>
#include <QVariant>
#include <vector>

namespace qvgauge {

class Qv3dGauge;

// One property to set on a gauge, by its exact name.
struct PropertyChange {
    QByteArray name;
    QVariant value;

    friend bool operator==(const PropertyChange&, const PropertyChange&) = default;
};

// The properties the property pages edit whose values differ between `before` and `after`, in
// an order in which setting them one at a time on `before` brings it to `after` with nothing
// refused and without one set moving another value along: ScaleMode first (it converts the
// margins), then the range widened, FillValue, the range narrowed, then the rest in page order.
// Undoing the sets in reverse order therefore gives back `before` exactly.
std::vector<PropertyChange> pagePropertyChanges(const Qv3dGauge& before, const Qv3dGauge& after);

} // namespace qvgauge
