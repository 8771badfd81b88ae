#pragma once

#include <cstdint>
#include <span>

// The program's own pictures, compiled in from res/ (see embed.cmake). Each returns the bytes of
// a whole BMP file, to be decoded with LoadBmp; the data live as long as the program.
namespace pindrel::res {

// The caller photo shown for a contact with a picture: 240 x 200, 24 bits.
std::span<const uint8_t> SamplePhotoBmp();

// The program icon, 32 x 32 and 16 x 16, 24 bits.
std::span<const uint8_t> Icon32Bmp();
std::span<const uint8_t> Icon16Bmp();

} // namespace pindrel::res
