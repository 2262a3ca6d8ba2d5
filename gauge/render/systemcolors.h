#pragma once

#include "model/gaugetypes.h"

#include <QRgb>
#include <array>

class QPalette;

namespace qvgauge {

inline constexpr int ColorGrayText = 17;

// The system colour scheme the painter resolves system colours against. It is handed in rather
// than read from the desktop, so paints are reproducible.
class SystemColors {
public:
    // Every entry black.
    SystemColors();

    // The fixed grey scheme of a classic desktop, used where a paint must not depend on the
    // user's theme.
    static SystemColors classic();
    // The scheme of a Qt palette.
    static SystemColors fromPalette(const QPalette& palette);

    void set(int index, QRgb color);
    QRgb at(int index) const;

    // A colour as hosts store it: 0x00BBGGRR, or a system colour index with the top bit set.
    QRgb resolve(OleColor color) const;

private:
    std::array<QRgb, 256> m_colors;
};

} // namespace qvgauge
