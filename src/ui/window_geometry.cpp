#include "ui/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace sondrel {

namespace {
constexpr double TwipsPerInch = 1440.0;
constexpr double BrowserWidthMargin = 80;
constexpr double BrowserHeightMargin = 780;
constexpr double MinimumWidthForRule = 50;
}  // namespace

double TwipsPerPixel(double logicalDotsPerInch)
{
    return logicalDotsPerInch > 0 ? TwipsPerInch / logicalDotsPerInch : 15.0;
}

double TwipsPerPixelOf(const QWidget& widget)
{
    const QScreen* screen = widget.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return TwipsPerPixel(screen != nullptr ? screen->logicalDotsPerInch() : 96.0);
}

int TwipsToPixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

float PixelsToTwips(int pixels, double twipsPerPixel)
{
    return static_cast<float>(pixels * twipsPerPixel);
}

QSize BrowserSizeForOuterSize(double outerWidthTwips, double outerHeightTwips, QSize currentPixels,
                              double twipsPerPixel)
{
    QSize size = currentPixels;
    if (outerWidthTwips > MinimumWidthForRule)
        size.setWidth(std::max(0, TwipsToPixels(outerWidthTwips - BrowserWidthMargin, twipsPerPixel)));
    if (outerHeightTwips > BrowserHeightMargin)
        size.setHeight(TwipsToPixels(outerHeightTwips - BrowserHeightMargin, twipsPerPixel));
    return size;
}

void ApplyOuterPlacement(QWidget& window, const WindowPlacement& placement)
{
    const double tpp = TwipsPerPixelOf(window);
    // Before the window manager has framed the window both sizes are equal;
    // once framed, the frame's share is taken off the client size.
    const QSize frameExtra = window.frameGeometry().size() - window.geometry().size();
    window.move(TwipsToPixels(placement.Left, tpp), TwipsToPixels(placement.Top, tpp));
    window.resize(std::max(1, TwipsToPixels(placement.Width, tpp) - frameExtra.width()),
                  std::max(1, TwipsToPixels(placement.Height, tpp) - frameExtra.height()));
}

WindowPlacement OuterPlacementOf(const QWidget& window)
{
    const double tpp = TwipsPerPixelOf(window);
    const QRect frame = window.frameGeometry();
    return {PixelsToTwips(frame.x(), tpp), PixelsToTwips(frame.y(), tpp), PixelsToTwips(frame.width(), tpp),
            PixelsToTwips(frame.height(), tpp)};
}

WindowPlacement UnchangedValuesKept(const WindowPlacement& loaded, const WindowPlacement& current,
                                    double twipsPerPixel)
{
    const auto keep = [twipsPerPixel](float before, float now) {
        return TwipsToPixels(before, twipsPerPixel) == TwipsToPixels(now, twipsPerPixel) ? before : now;
    };
    return {keep(loaded.Left, current.Left), keep(loaded.Top, current.Top), keep(loaded.Width, current.Width),
            keep(loaded.Height, current.Height)};
}

void SetTwipsGeometry(QWidget& widget, double left, double top, double width, double height)
{
    const double tpp = TwipsPerPixelOf(widget);
    widget.setGeometry(TwipsToPixels(left, tpp), TwipsToPixels(top, tpp), TwipsToPixels(width, tpp),
                       TwipsToPixels(height, tpp));
}

}  // namespace sondrel
