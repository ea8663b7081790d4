// The demo form's logo picture (JPEG data).
#pragma once

#include <cstddef>

const unsigned char* DemoLogoData();
std::size_t DemoLogoSize();
