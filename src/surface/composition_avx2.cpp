// The AVX2 row kernels. This file alone is compiled for AVX2 (see CMakeLists.txt);
// without that it builds no kernel, and the callers check the processor first.
#include "surface/composition_rows.h"

#if defined(__AVX2__)
#include <immintrin.h>
#endif

namespace lumidraw::surface {

#if defined(__AVX2__)

namespace {

using gfx::Pixel32;

inline __m256i load(const void* at) {
  return _mm256_loadu_si256(static_cast<const __m256i*>(at));
}

template <bool kStream>
inline void store(Pixel32* at, __m256i v) {
  if constexpr (kStream) {
    _mm256_stream_si256(reinterpret_cast<__m256i*>(at), v);
  } else {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(at), v);
  }
}

// Streaming stores need 32-byte aligned targets.
template <bool kStream, typename Single>
inline int head(const RowSpans& r, int x, int x1, Single single) {
  if constexpr (kStream) return align_head<32>(r, x, x1, single);
  return x;
}

inline __m256i select_no_ink(__m256i ink, __m256i background, __m256i other) {
  const __m256i keep = _mm256_cmpeq_epi32(_mm256_and_si256(ink, _mm256_set1_epi32(kColorBits)),
                                          _mm256_set1_epi32(static_cast<int>(kNoInk)));
  return _mm256_blendv_epi8(other, background, keep);
}

// Weighted vertical sums row0 + 2 row1 + row2 of the even and odd coverage columns of
// 32 coverage pixels from k on, as 16-bit lanes.
inline void vertical_sums(const RowSpans& r, int k, __m256i& even, __m256i& odd) {
  const __m256i low = _mm256_set1_epi16(0x00FF);
  const __m256i a0 = load(r.c0 + k);
  const __m256i a1 = load(r.c1 + k);
  const __m256i a2 = load(r.c2 + k);
  const __m256i e1 = _mm256_and_si256(a1, low);
  const __m256i o1 = _mm256_srli_epi16(a1, 8);
  even = _mm256_add_epi16(_mm256_add_epi16(_mm256_and_si256(a0, low), _mm256_and_si256(a2, low)),
                          _mm256_add_epi16(e1, e1));
  odd = _mm256_add_epi16(_mm256_add_epi16(_mm256_srli_epi16(a0, 8), _mm256_srli_epi16(a2, 8)),
                         _mm256_add_epi16(o1, o1));
}

// Coverage of the 16 picture pixels from x on as 16-bit lanes, in the order
// 0-3, 8-11 | 4-7, 12-15 so that unpacking pairs it with the pixel vectors of
// 0-7 and 8-15. Reads coverage columns 2x .. 2x + 33.
inline __m256i coverage16(const RowSpans& r, int x) {
  __m256i even;
  __m256i odd;
  __m256i next_even;
  __m256i unused;
  vertical_sums(r, 2 * x, even, odd);
  vertical_sums(r, 2 * x + 2, next_even, unused);
  const __m256i sum =
      _mm256_add_epi16(_mm256_add_epi16(even, next_even), _mm256_add_epi16(odd, odd));
  return _mm256_permute4x64_epi64(_mm256_srli_epi16(sum, 4), 0xD8);
}

// Blends 8 pixels; a and ia hold each pixel's coverage and its complement in both
// 16-bit halves of its word (see the SSE2 kernel).
inline __m256i blend8(__m256i ink, __m256i background, __m256i a, __m256i ia) {
  const __m256i low = _mm256_set1_epi16(0x00FF);
  const __m256i red_blue =
      _mm256_srli_epi16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(ink, low), a),
                                         _mm256_mullo_epi16(_mm256_and_si256(background, low), ia)),
                        8);
  const __m256i pad_green = _mm256_andnot_si256(
      low, _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(ink, 8), a),
                            _mm256_mullo_epi16(_mm256_srli_epi16(background, 8), ia)));
  return select_no_ink(ink, background, _mm256_or_si256(red_blue, pad_green));
}

template <bool kStream>
inline void blend16(const RowSpans& r, int x) {
  const __m256i a = coverage16(r, x);
  const __m256i ia = _mm256_sub_epi16(_mm256_set1_epi16(255), a);
  store<kStream>(r.out + x, blend8(load(r.ink + x), load(r.background + x),
                                   _mm256_unpacklo_epi16(a, a), _mm256_unpacklo_epi16(ia, ia)));
  store<kStream>(r.out + x + 8, blend8(load(r.ink + x + 8), load(r.background + x + 8),
                                       _mm256_unpackhi_epi16(a, a), _mm256_unpackhi_epi16(ia, ia)));
}

template <bool kStream>
inline void copy8(const RowSpans& r, int x) {
  const __m256i ink = load(r.ink + x);
  store<kStream>(r.out + x, select_no_ink(ink, load(r.background + x), ink));
}

// ASSUMPTION: rows are at least 16 pixels long. A row ends with a vector that
// overlaps the one before: the inputs are not written, so composing a pixel twice
// gives the same result, and no pixel is left to the slow single-pixel path.
template <bool kStream>
void blend_row(const RowSpans& r, int x0, int x1) {
  int x = head<kStream>(r, x0, x1, blended_pixel);
  for (; x + 16 <= x1; x += 16) blend16<kStream>(r, x);
  if (x < x1) blend16<false>(r, x1 - 16);
}

template <bool kStream>
void copy_row(const RowSpans& r, int x0, int x1) {
  int x = head<kStream>(r, x0, x1, copied_pixel);
  for (; x + 8 <= x1; x += 8) copy8<kStream>(r, x);
  if (x < x1) copy8<false>(r, x1 - 8);
}

}  // namespace

RowFunction avx2_row_function(bool is256, bool stream) {
  if (is256) return stream ? copy_row<true> : copy_row<false>;
  return stream ? blend_row<true> : blend_row<false>;
}

#else

RowFunction avx2_row_function(bool, bool) {
  return nullptr;
}

#endif

}  // namespace lumidraw::surface
