#pragma once

#include <QSize>

#include "shell/settings.h"

class QWidget;

namespace sondrel {

// Geometry is remembered in twips (1/1440 inch); the screen works in pixels
// at its own dots per inch.
double TwipsPerPixel(double logicalDotsPerInch);
double TwipsPerPixelOf(const QWidget& widget);
int TwipsToPixels(double twips, double twipsPerPixel);
float PixelsToTwips(int pixels, double twipsPerPixel);

// The placement to store for a window now at current: each value the user
// did not change (it still maps to the same pixel) keeps the twips it was
// loaded with, so that 1000 twips stay 1000 rather than the 1005 of the pixel.
WindowPlacement UnchangedValuesKept(const WindowPlacement& loaded, const WindowPlacement& current,
                                    double twipsPerPixel);

// The browser's size after the main window took the outer size given in
// twips: its width follows when the width exceeds 50 twips, its height when
// the height exceeds 780; a dimension whose test fails keeps its current
// pixels. A width that would come out negative is clamped at zero.
QSize BrowserSizeForOuterSize(double outerWidthTwips, double outerHeightTwips, QSize currentPixels,
                              double twipsPerPixel);

// Places a top-level window so that its outer frame has the given bounds.
void ApplyOuterPlacement(QWidget& window, const WindowPlacement& placement);
// The outer frame's bounds of a top-level window, in twips.
WindowPlacement OuterPlacementOf(const QWidget& window);

// Sets a child widget's geometry from twips within its parent's client area.
void SetTwipsGeometry(QWidget& widget, double left, double top, double width, double height);

}  // namespace sondrel
