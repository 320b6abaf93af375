#pragma once
// A configuration image as text: eight lines of sixteen upper-case hex bytes,
// then "checksum 0xHHHH".

#include <string>

#include "device/ConfigImage.h"

namespace vandir::cli {

std::string ImageText(const ConfigImage& image);

}  // namespace vandir::cli
