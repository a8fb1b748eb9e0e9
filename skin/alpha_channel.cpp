// The alpha channel of a per-pixel alpha skin's picture while icons and
// texts are drawn over it: GDI drawing does not keep the alpha byte, so the
// background's alpha bytes are saved from the picture's bits beforehand and
// put back afterwards. `composing` is set in between, and timer
// ticks are ignored meanwhile.
#include "alpha_channel.h"
#include <emmintrin.h>
#include <stdint.h>
#include <stdlib.h>
#include "paint.h"

bool composing = false;

// The alpha byte of each pixel of composedBitmap, in the order of its bits,
// while composing. The storage is kept for the next picture while there
// are notifications, so composing again does not wait for fresh memory.
static BYTE* savedAlpha = nullptr;
static size_t savedAlphaCount = 0, savedAlphaRoom = 0;

static void dropSavedAlpha() { savedAlphaCount = 0; }

void ReleaseSavedAlpha() {
    free(savedAlpha);
    savedAlpha = nullptr;
    savedAlphaCount = savedAlphaRoom = 0;
}

// The pixels of a 32-bit DIB section as words 0xAARRGGBB, in memory order
// (the row order does not matter to a pass over every pixel); null for any
// other bitmap.
static uint32_t* pixelsOf(HBITMAP picture, size_t* count) {
    DIBSECTION section;
    if (!picture || GetObjectA(picture, sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits ||
        section.dsBm.bmBitsPixel != 32 || section.dsBm.bmWidth <= 0 || section.dsBm.bmHeight <= 0)
        return nullptr;
    *count = (size_t)section.dsBm.bmWidth * (size_t)section.dsBm.bmHeight;
    return (uint32_t*)section.dsBm.bmBits;
}

static const bool haveSse2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2") != 0;
}();

// The alpha passes 16 pixels at a time where the processor has SSE2; each
// answers how many pixels it did, the rest is left to the plain loop. The
// host may call in with a stack aligned to 4 bytes only, so the stack is
// aligned here for any 16-byte value kept on it.
__attribute__((target("sse2"), force_align_arg_pointer)) static size_t copyAlphaOutSse2(const uint32_t* pixels,
                                                                                        BYTE* alpha, size_t count) {
    size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i* p = (const __m128i*)(pixels + i);
        __m128i a0 = _mm_srli_epi32(_mm_loadu_si128(p), 24), a1 = _mm_srli_epi32(_mm_loadu_si128(p + 1), 24);
        __m128i a2 = _mm_srli_epi32(_mm_loadu_si128(p + 2), 24), a3 = _mm_srli_epi32(_mm_loadu_si128(p + 3), 24);
        __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(a0, a1), _mm_packs_epi32(a2, a3));
        _mm_storeu_si128((__m128i*)(alpha + i), bytes);
    }
    return i;
}

__attribute__((target("sse2"), force_align_arg_pointer)) static size_t copyAlphaInSse2(const BYTE* alpha,
                                                                                       uint32_t* pixels, size_t count) {
    const __m128i zero = _mm_setzero_si128(), colour = _mm_set1_epi32(0x00FFFFFF);
    size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        // Each alpha byte moves to the top byte of its pixel's word.
        const __m128i bytes = _mm_loadu_si128((const __m128i*)(alpha + i));
        const __m128i low = _mm_unpacklo_epi8(zero, bytes), high = _mm_unpackhi_epi8(zero, bytes);
        const __m128i words[4] = {_mm_unpacklo_epi16(zero, low), _mm_unpackhi_epi16(zero, low),
                                  _mm_unpacklo_epi16(zero, high), _mm_unpackhi_epi16(zero, high)};
        __m128i* p = (__m128i*)(pixels + i);
        for (int k = 0; k < 4; k++)
            _mm_storeu_si128(p + k, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(p + k), colour), words[k]));
    }
    return i;
}

// The alpha bytes of `picture`, kept while icons and texts are drawn over it.
void SaveAlphaOf(HBITMAP picture) {
    composing = true;
    dropSavedAlpha();
    // Drawing still queued by GDI must reach the bits before they are read.
    GdiFlush();
    size_t count = 0;
    const uint32_t* pixels = pixelsOf(picture, &count);
    if (!pixels) return;
    if (count > savedAlphaRoom) {
        ReleaseSavedAlpha();
        savedAlpha = (BYTE*)malloc(count);
        if (!savedAlpha) return;
        savedAlphaRoom = count;
    }
    const size_t done = haveSse2 ? copyAlphaOutSse2(pixels, savedAlpha, count) : 0;
    for (size_t i = done; i < count; i++) savedAlpha[i] = (BYTE)(pixels[i] >> 24);
    savedAlphaCount = count;
}

// Every pixel gets back its saved alpha byte; its colour stays as drawn.
void RestoreAlphaOf(HBITMAP picture) {
    GdiFlush();
    size_t count = 0;
    uint32_t* pixels = savedAlphaCount ? pixelsOf(picture, &count) : nullptr;
    if (pixels && count == savedAlphaCount) {
        const size_t done = haveSse2 ? copyAlphaInSse2(savedAlpha, pixels, count) : 0;
        for (size_t i = done; i < count; i++) pixels[i] = (pixels[i] & 0x00FFFFFFu) | (uint32_t)savedAlpha[i] << 24;
    }
    dropSavedAlpha();
    composing = false;
}


void DropUnrestoredAlpha() {
    if (!composing) return;
    dropSavedAlpha();
    composing = false;
}
