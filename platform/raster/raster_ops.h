// Raster operations reduced to an AND/XOR pair: the last stage before a pixel is stored.
#pragma once

#include "platform/raster/color.h"
#include "platform/raster/draw_state.h"

namespace raster {

// Every binary raster operation combines a source colour S with the destination D bit by bit,
// and each result bit depends only on its S bit and D bit. For a fixed S that leaves four
// functions of D (0, 1, D, NOT D), each of which is (D AND a) XOR x for some a and x. So once
// the source colour is known the operation becomes one pair of masks, and a single inner loop
// serves all sixteen operations: new = (old AND and_bits) XOR xor_bits.
//
// The operations are numbered 1..16; code - 1 is a truth table whose bit (2 * S + D) is the
// result for source bit S and destination bit D. The top byte of a pixel stays 0xFF.
struct RopCodes {
    Pixel and_bits = 0;
    Pixel xor_bits = 0;

    Pixel apply(Pixel destination) const { return (destination & and_bits) ^ xor_bits; }
    // True when the operation ignores the destination, so that a run may be stored directly.
    bool is_copy() const { return (and_bits & 0x00FFFFFFu) == 0; }
};

constexpr RopCodes make_rop_codes(RasterOp op, Pixel source) {
    const uint32_t table = static_cast<uint32_t>(op) - 1;
    auto all_if = [](uint32_t bit) -> Pixel { return bit ? 0x00FFFFFFu : 0u; };
    const Pixel when_clear_d0 = all_if(table & 1);
    const Pixel when_clear_d1 = all_if(table >> 1 & 1);
    const Pixel when_set_d0 = all_if(table >> 2 & 1);
    const Pixel when_set_d1 = all_if(table >> 3 & 1);
    const Pixel set = source & 0x00FFFFFFu;
    const Pixel clear = ~source & 0x00FFFFFFu;
    RopCodes codes;
    codes.xor_bits = (set & when_set_d0) | (clear & when_clear_d0) | OPAQUE_BITS;
    codes.and_bits =
        (set & (when_set_d0 ^ when_set_d1)) | (clear & (when_clear_d0 ^ when_clear_d1));
    return codes;
}

} // namespace raster
