#pragma once
// The one BMP layout the skin sheets use, read without the GDI+ codec (whose
// fixed cost per file is most of the skin's start-up): 24 bits per pixel,
// uncompressed, with a Windows information header and its resolution given.
// The rows of such a file are already GDI+'s 24-bit rows, so the file's own
// bytes become the pixels. Anything else is left to GDI+.

#include <windows.h>

#include <optional>

#include "skin/SkinBitmap.h"

namespace vandir {

// The pixels of a whole BMP file of that layout, in PixelFormat24bppRGB with
// the file's resolution, taking over the file's bytes (no copy); nothing for
// any other file (another layout, a header that does not add up, or pixel rows
// the file is too short for), and then file is left as it was. Never reads
// outside file.
std::optional<SheetPixels> DecodePlainBmp(ByteBuffer& file);

}  // namespace vandir
