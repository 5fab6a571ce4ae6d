#include "surface/composition.h"

#if defined(__SSE2__) || defined(_M_X64)
#define LUMIDRAW_HAVE_SSE2 1
#include <emmintrin.h>
#else
#define LUMIDRAW_HAVE_SSE2 0
#endif

namespace lumidraw::surface {
namespace {

using gfx::Pixel32;

// One picture row and the three coverage rows around it.
struct RowSpans {
  const Pixel32* ink;
  const std::uint8_t* c0;
  const std::uint8_t* c1;
  const std::uint8_t* c2;
  const Pixel32* background;
  Pixel32* out;
};

constexpr Pixel32 kColorBits = 0x00FFFFFF;

// All ones when p carries no ink, else 0: selects without a branch.
inline Pixel32 no_ink_mask(Pixel32 p) {
  return 0u - static_cast<Pixel32>((p & kColorBits) == kNoInk);
}

inline unsigned coverage_at(const RowSpans& r, int x) {
  const int k = 2 * x;
  const unsigned top = r.c0[k] + 2u * r.c0[k + 1] + r.c0[k + 2];
  const unsigned middle = r.c1[k] + 2u * r.c1[k + 1] + r.c1[k + 2];
  const unsigned bottom = r.c2[k] + 2u * r.c2[k + 1] + r.c2[k + 2];
  return (top + 2u * middle + bottom) >> 4;
}

// Two channels per multiply: each 16-bit lane of P_c * a + B_c * (255 - a) stays
// below 65536, so the lanes never carry into each other.
inline Pixel32 blended_pixel(const RowSpans& r, int x) {
  const Pixel32 p = r.ink[x];
  const Pixel32 b = r.background[x];
  const Pixel32 a = coverage_at(r, x);
  const Pixel32 ia = 255u - a;
  const Pixel32 red_blue = (((p & 0x00FF00FFu) * a + (b & 0x00FF00FFu) * ia) >> 8) & 0x00FF00FFu;
  const Pixel32 pad_green =
      (((p >> 8) & 0x00FF00FFu) * a + ((b >> 8) & 0x00FF00FFu) * ia) & 0xFF00FF00u;
  const Pixel32 keep = no_ink_mask(p);
  return (b & keep) | ((red_blue | pad_green) & ~keep);
}

inline Pixel32 copied_pixel(const RowSpans& r, int x) {
  const Pixel32 keep = no_ink_mask(r.ink[x]);
  return (r.background[x] & keep) | (r.ink[x] & ~keep);
}

void blend_row_portable(const RowSpans& r, int x0, int x1) {
  for (int x = x0; x < x1; ++x) r.out[x] = blended_pixel(r, x);
}

void copy_row_portable(const RowSpans& r, int x0, int x1) {
  for (int x = x0; x < x1; ++x) r.out[x] = copied_pixel(r, x);
}

#if LUMIDRAW_HAVE_SSE2

template <bool kStream>
inline void store(Pixel32* at, __m128i v) {
  if constexpr (kStream) {
    _mm_stream_si128(reinterpret_cast<__m128i*>(at), v);
  } else {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), v);
  }
}

inline __m128i load(const void* at) {
  return _mm_loadu_si128(static_cast<const __m128i*>(at));
}

// Streaming stores need 16-byte aligned targets: the pixels before the first
// aligned one are done singly. Returns the first aligned column (at most x1).
template <bool kStream, typename Single>
inline int align_head(const RowSpans& r, int x, int x1, Single single) {
  if constexpr (kStream) {
    while (x < x1 && (reinterpret_cast<std::uintptr_t>(r.out + x) & 15u) != 0) {
      r.out[x] = single(r, x);
      ++x;
    }
  }
  return x;
}

inline __m128i select_no_ink(__m128i ink, __m128i background, __m128i other) {
  const __m128i keep = _mm_cmpeq_epi32(_mm_and_si128(ink, _mm_set1_epi32(kColorBits)),
                                       _mm_set1_epi32(static_cast<int>(kNoInk)));
  return _mm_or_si128(_mm_and_si128(keep, background), _mm_andnot_si128(keep, other));
}

// Weighted vertical sums of the even (0, 2, 4, ...) and odd coverage columns of 16
// coverage pixels from k on, as 16-bit lanes: row0 + 2 row1 + row2.
inline void vertical_sums(const RowSpans& r, int k, __m128i& even, __m128i& odd) {
  const __m128i low = _mm_set1_epi16(0x00FF);
  const __m128i a0 = load(r.c0 + k);
  const __m128i a1 = load(r.c1 + k);
  const __m128i a2 = load(r.c2 + k);
  const __m128i e1 = _mm_and_si128(a1, low);
  const __m128i o1 = _mm_srli_epi16(a1, 8);
  even = _mm_add_epi16(_mm_add_epi16(_mm_and_si128(a0, low), _mm_and_si128(a2, low)),
                       _mm_add_epi16(e1, e1));
  odd = _mm_add_epi16(_mm_add_epi16(_mm_srli_epi16(a0, 8), _mm_srli_epi16(a2, 8)),
                      _mm_add_epi16(o1, o1));
}

// Coverage of the 8 picture pixels from x on, as 16-bit lanes. Reads coverage
// columns 2x .. 2x + 17.
inline __m128i coverage8(const RowSpans& r, int x) {
  __m128i even;
  __m128i odd;
  __m128i next_even;
  __m128i unused;
  vertical_sums(r, 2 * x, even, odd);
  vertical_sums(r, 2 * x + 2, next_even, unused);
  const __m128i sum = _mm_add_epi16(_mm_add_epi16(even, next_even), _mm_add_epi16(odd, odd));
  return _mm_srli_epi16(sum, 4);
}

// Blends 4 pixels; a01 / a23 hold the coverage of pixels 0, 1 / 2, 3 repeated over
// their four bytes, ia01 / ia23 its complement.
inline __m128i blend4(__m128i ink, __m128i background, __m128i a01, __m128i a23, __m128i ia01,
                      __m128i ia23) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i low =
      _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(ink, zero), a01),
                                   _mm_mullo_epi16(_mm_unpacklo_epi8(background, zero), ia01)),
                     8);
  const __m128i high =
      _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(ink, zero), a23),
                                   _mm_mullo_epi16(_mm_unpackhi_epi8(background, zero), ia23)),
                     8);
  return select_no_ink(ink, background, _mm_packus_epi16(low, high));
}

template <bool kStream>
void blend_row_sse2(const RowSpans& r, int x0, int x1) {
  int x = align_head<kStream>(r, x0, x1, blended_pixel);
  const __m128i full = _mm_set1_epi16(255);
  for (; x + 8 <= x1; x += 8) {
    const __m128i a = coverage8(r, x);
    const __m128i ia = _mm_sub_epi16(full, a);
    const __m128i a03 = _mm_unpacklo_epi16(a, a);
    const __m128i a47 = _mm_unpackhi_epi16(a, a);
    const __m128i ia03 = _mm_unpacklo_epi16(ia, ia);
    const __m128i ia47 = _mm_unpackhi_epi16(ia, ia);
    store<kStream>(r.out + x,
                   blend4(load(r.ink + x), load(r.background + x), _mm_unpacklo_epi32(a03, a03),
                          _mm_unpackhi_epi32(a03, a03), _mm_unpacklo_epi32(ia03, ia03),
                          _mm_unpackhi_epi32(ia03, ia03)));
    store<kStream>(r.out + x + 4,
                   blend4(load(r.ink + x + 4), load(r.background + x + 4),
                          _mm_unpacklo_epi32(a47, a47), _mm_unpackhi_epi32(a47, a47),
                          _mm_unpacklo_epi32(ia47, ia47), _mm_unpackhi_epi32(ia47, ia47)));
  }
  for (; x < x1; ++x) r.out[x] = blended_pixel(r, x);
}

template <bool kStream>
void copy_row_sse2(const RowSpans& r, int x0, int x1) {
  int x = align_head<kStream>(r, x0, x1, copied_pixel);
  for (; x + 4 <= x1; x += 4) {
    const __m128i ink = load(r.ink + x);
    store<kStream>(r.out + x, select_no_ink(ink, load(r.background + x), ink));
  }
  for (; x < x1; ++x) r.out[x] = copied_pixel(r, x);
}

#endif

using RowFunction = void (*)(const RowSpans&, int, int);

RowFunction row_function(const ComposeOptions& options) {
#if LUMIDRAW_HAVE_SSE2
  if (options.kernel == ComposeKernel::sse2) {
    if (options.is256) return options.stream ? copy_row_sse2<true> : copy_row_sse2<false>;
    return options.stream ? blend_row_sse2<true> : blend_row_sse2<false>;
  }
#endif
  return options.is256 ? copy_row_portable : blend_row_portable;
}

}  // namespace

bool has_sse2_kernel() {
  return LUMIDRAW_HAVE_SSE2 != 0;
}

ComposeKernel native_kernel() {
  return has_sse2_kernel() ? ComposeKernel::sse2 : ComposeKernel::portable;
}

void compose_pixels(const LayerRows& rows, const gfx::Rect& r, const ComposeOptions& options) {
  if (r.empty()) return;
  const RowFunction compose_row = row_function(options);
  for (int y = r.top; y < r.bottom; ++y) {
    // The coverage rows are only read when blending.
    const std::uint8_t* c0 = options.is256 ? nullptr : rows.coverage[2 * y];
    const std::uint8_t* c1 = options.is256 ? nullptr : rows.coverage[2 * y + 1];
    const std::uint8_t* c2 = options.is256 ? nullptr : rows.coverage[2 * y + 2];
    compose_row({rows.ink[y], c0, c1, c2, rows.background[y], rows.picture[y]}, r.left, r.right);
  }
#if LUMIDRAW_HAVE_SSE2
  if (options.stream && options.kernel == ComposeKernel::sse2) _mm_sfence();
#endif
}

}  // namespace lumidraw::surface
