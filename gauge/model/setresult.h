#pragma once

namespace qvgauge {

// The error a refused property value reports: "invalid property value".
inline constexpr int InvalidPropertyValue = 380;
// The error for reading a property that cannot be read in the host's current mode.
inline constexpr int GetNotSupported = 394;

// The outcome of setting a property. Setters never throw: a refused value leaves the model as it
// was (FillValue's clamping aside) and says why in `code`.
struct SetResult {
    bool ok = true;
    int code = 0;

    static constexpr SetResult accepted() { return {}; }
    static constexpr SetResult refused(int error = InvalidPropertyValue)
    {
        return { false, error };
    }

    friend constexpr bool operator==(const SetResult&, const SetResult&) = default;
};

} // namespace qvgauge
