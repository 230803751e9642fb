// Copying rows of pixel bytes between two buffers of given pitches.
#ifndef GDI_GAL_ROW_COPY_H
#define GDI_GAL_ROW_COPY_H

#include <cstddef>
#include <cstdint>

namespace gal {

// Non-overlapping rows; picks inline, library or streaming copies by size.
void copyRows(uint8_t* dst, ptrdiff_t dstPitch, const uint8_t* src, ptrdiff_t srcPitch,
              size_t rowBytes, int32_t rows);

}  // namespace gal

#endif
