#pragma once

#include <QtGlobal>

// Marks the classes the gauge library offers to the programs and plugins that link it.
#if defined(QVGAUGE_BUILDING_LIBRARY)
#define QVGAUGE_EXPORT Q_DECL_EXPORT
#else
#define QVGAUGE_EXPORT Q_DECL_IMPORT
#endif
