#pragma once

#include <QFont>
#include <QImage>
#include <gtest/gtest.h>
#include <string>

namespace qvgauge::testing {

// Compares a painted image pixel for pixel with tests/data/gauge/<name>/expected.png. On a
// mismatch the actual, expected and difference images are written to
// <build>/gauge-golden-failures/<name>/. With QVGAUGE_UPDATE_GOLDENS=1 in the environment the
// expected image is written from the actual one instead and the comparison passes.
::testing::AssertionResult matchesGolden(const QImage& actual, const std::string& name);

// The font shipped with the tests, at a point size; antialiasing off.
QFont goldenFont(int pointSize);

} // namespace qvgauge::testing
