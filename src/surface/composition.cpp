#include "surface/composition.h"

#include "surface/composition_rows.h"

#if defined(__SSE2__) || defined(_M_X64)
#define LUMIDRAW_HAVE_SSE2 1
#include <emmintrin.h>
#else
#define LUMIDRAW_HAVE_SSE2 0
#endif

namespace lumidraw::surface {
namespace {

using gfx::Pixel32;

void blend_row_portable(const RowSpans& r, int x0, int x1) {
  for (int x = x0; x < x1; ++x) r.out[x] = blended_pixel(r, x);
}

void copy_row_portable(const RowSpans& r, int x0, int x1) {
  for (int x = x0; x < x1; ++x) r.out[x] = copied_pixel(r, x);
}

#if LUMIDRAW_HAVE_SSE2

inline __m128i load(const void* at) {
  return _mm_loadu_si128(static_cast<const __m128i*>(at));
}

template <bool kStream>
inline void store(Pixel32* at, __m128i v) {
  if constexpr (kStream) {
    _mm_stream_si128(reinterpret_cast<__m128i*>(at), v);
  } else {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), v);
  }
}

// Streaming stores need 16-byte aligned targets.
template <bool kStream, typename Single>
inline int head(const RowSpans& r, int x, int x1, Single single) {
  if constexpr (kStream) return align_head<16>(r, x, x1, single);
  return x;
}

inline __m128i select_no_ink(__m128i ink, __m128i background, __m128i other) {
  const __m128i keep = _mm_cmpeq_epi32(_mm_and_si128(ink, _mm_set1_epi32(kColorBits)),
                                       _mm_set1_epi32(static_cast<int>(kNoInk)));
  return _mm_or_si128(_mm_and_si128(keep, background), _mm_andnot_si128(keep, other));
}

// Weighted vertical sums row0 + 2 row1 + row2 of the even (0, 2, 4, ...) and odd
// coverage columns of 16 coverage pixels from k on, as 16-bit lanes.
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

// Blends 4 pixels. a and ia hold each pixel's coverage and its complement in both
// 16-bit halves of the pixel's word, so one multiply serves red and blue (bytes 0, 2)
// and another green and pad (bytes 1, 3).
inline __m128i blend4(__m128i ink, __m128i background, __m128i a, __m128i ia) {
  const __m128i low = _mm_set1_epi16(0x00FF);
  const __m128i red_blue =
      _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(ink, low), a),
                                   _mm_mullo_epi16(_mm_and_si128(background, low), ia)),
                     8);
  const __m128i pad_green =
      _mm_andnot_si128(low, _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(ink, 8), a),
                                          _mm_mullo_epi16(_mm_srli_epi16(background, 8), ia)));
  return select_no_ink(ink, background, _mm_or_si128(red_blue, pad_green));
}

template <bool kStream>
inline void blend8(const RowSpans& r, int x) {
  const __m128i a = coverage8(r, x);
  const __m128i ia = _mm_sub_epi16(_mm_set1_epi16(255), a);
  store<kStream>(r.out + x, blend4(load(r.ink + x), load(r.background + x),
                                   _mm_unpacklo_epi16(a, a), _mm_unpacklo_epi16(ia, ia)));
  store<kStream>(r.out + x + 4, blend4(load(r.ink + x + 4), load(r.background + x + 4),
                                       _mm_unpackhi_epi16(a, a), _mm_unpackhi_epi16(ia, ia)));
}

template <bool kStream>
inline void copy4(const RowSpans& r, int x) {
  const __m128i ink = load(r.ink + x);
  store<kStream>(r.out + x, select_no_ink(ink, load(r.background + x), ink));
}

// A row of at least one vector ends with a vector that overlaps the one before: the
// inputs are not written, so composing a pixel twice gives the same result, and no
// pixel is left to the slow single-pixel path.
template <bool kStream>
void blend_row_sse2(const RowSpans& r, int x0, int x1) {
  if (x1 - x0 < 8) {
    blend_row_portable(r, x0, x1);
    return;
  }
  int x = head<kStream>(r, x0, x1, blended_pixel);
  for (; x + 8 <= x1; x += 8) blend8<kStream>(r, x);
  if (x < x1) blend8<false>(r, x1 - 8);
}

template <bool kStream>
void copy_row_sse2(const RowSpans& r, int x0, int x1) {
  if (x1 - x0 < 4) {
    copy_row_portable(r, x0, x1);
    return;
  }
  int x = head<kStream>(r, x0, x1, copied_pixel);
  for (; x + 4 <= x1; x += 4) copy4<kStream>(r, x);
  if (x < x1) copy4<false>(r, x1 - 4);
}

#endif

bool cpu_has_avx2() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

bool avx2_ready() {
  // The processor first: no code of the AVX2 file may run on a processor without it.
  static const bool ready = cpu_has_avx2() && avx2_row_function(false, false) != nullptr;
  return ready;
}

RowFunction row_function(const ComposeOptions& options, int width) {
  ComposeKernel kernel = options.kernel;
  // Rows narrower than an AVX2 vector still fill SSE2 vectors.
  if (kernel == ComposeKernel::avx2 && (width < 16 || !avx2_ready())) kernel = ComposeKernel::sse2;
  switch (kernel) {
    case ComposeKernel::avx2:
      return avx2_row_function(options.is256, options.stream);
    case ComposeKernel::sse2:
#if LUMIDRAW_HAVE_SSE2
      if (options.is256) return options.stream ? copy_row_sse2<true> : copy_row_sse2<false>;
      return options.stream ? blend_row_sse2<true> : blend_row_sse2<false>;
#endif
      break;
    case ComposeKernel::portable:
      break;
  }
  return options.is256 ? copy_row_portable : blend_row_portable;
}

}  // namespace

bool has_kernel(ComposeKernel kernel) {
  switch (kernel) {
    case ComposeKernel::portable:
      return true;
    case ComposeKernel::sse2:
      return LUMIDRAW_HAVE_SSE2 != 0;
    case ComposeKernel::avx2:
      return avx2_ready();
  }
  return false;
}

ComposeKernel native_kernel() {
  for (const ComposeKernel k : {ComposeKernel::avx2, ComposeKernel::sse2}) {
    if (has_kernel(k)) return k;
  }
  return ComposeKernel::portable;
}

void compose_pixels(const LayerRows& rows, const gfx::Rect& r, const ComposeOptions& options) {
  if (r.empty()) return;
  const RowFunction compose_row = row_function(options, r.width());
  for (int y = r.top; y < r.bottom; ++y) {
    // The coverage rows are only read when blending.
    const std::uint8_t* c0 = options.is256 ? nullptr : rows.coverage[2 * y];
    const std::uint8_t* c1 = options.is256 ? nullptr : rows.coverage[2 * y + 1];
    const std::uint8_t* c2 = options.is256 ? nullptr : rows.coverage[2 * y + 2];
    compose_row({rows.ink[y], c0, c1, c2, rows.background[y], rows.picture[y]}, r.left, r.right);
  }
  // Streamed pixels must be visible before anyone reads the picture.
#if LUMIDRAW_HAVE_SSE2
  if (options.stream) _mm_sfence();
#endif
}

}  // namespace lumidraw::surface
