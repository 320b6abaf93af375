#include "skin/SheetResampling.h"

#include "skin/layout/DisplayScale.h"

namespace vandir {

std::optional<SheetPixels> ResampleSheet(const SheetPixels& pixels, const SheetScaling& scaling) {
    const int width =
        layout::ScaleUnits(layout::UnscalePixels(pixels.width, scaling.setDpi), scaling.displayDpi);
    const int height = layout::ScaleUnits(layout::UnscalePixels(pixels.height, scaling.setDpi),
                                          scaling.displayDpi);
    std::optional<SheetPixels> resampled = AllocatePixels(width, height, pixels.format);
    if (!resampled) {
        return std::nullopt;
    }
    resampled->dpiX = pixels.dpiX;
    resampled->dpiY = pixels.dpiY;
    // GDI+ reads the source rows where they lie (a negative stride for rows
    // stored bottom row first) and writes the new rows in place.
    Gdiplus::Bitmap source(pixels.width, pixels.height, pixels.stride, pixels.format,
                           const_cast<BYTE*>(pixels.Row(0)));
    Gdiplus::Bitmap target(width, height, resampled->stride, resampled->format, resampled->Row(0));
    if (source.GetLastStatus() != Gdiplus::Ok || target.GetLastStatus() != Gdiplus::Ok) {
        return std::nullopt;
    }
    {
        Gdiplus::Graphics graphics(&target);
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        Gdiplus::ImageAttributes edges;
        edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        if (graphics.DrawImage(&source, Gdiplus::Rect(0, 0, width, height), 0, 0, pixels.width,
                               pixels.height, Gdiplus::UnitPixel, &edges) != Gdiplus::Ok) {
            return std::nullopt;
        }
    }  // the drawing is in the target's rows once its Graphics is gone
    return resampled;
}

}  // namespace vandir
