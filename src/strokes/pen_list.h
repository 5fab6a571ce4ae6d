// The stroke list: every mark of a drawing as a flat sequence of TPenE entries in drawing
// order (see pen_entry.h for the encoding). The picture is rebuilt from it for undo, redo,
// the lasso and the whiteboard switch.
//
// A TPenList is a value: a copy is a full, independent list as far as any caller can tell.
// Entries live in fixed-size chunks shared between copies and copied on the first write,
// so the undo history's snapshots of a large drawing cost little time and memory.
//
// Running out of memory never half-changes a list: an append that cannot get memory is
// dropped, and Select, SelectNone and SelectShift then leave the list as it was. All of
// them return normally.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "strokes/pen_entry.h"

namespace lumidraw::strokes {

class TPenList {
 public:
  // Entries per storage chunk.
  static constexpr std::size_t ChunkEntries = 1024;
  static constexpr std::size_t ChunkBytes = ChunkEntries * sizeof(TPenE);

  TPenList() = default;
  TPenList(const TPenList&) = default;
  TPenList& operator=(const TPenList&) = default;
  // A moved-from list is empty.
  TPenList(TPenList&& other) noexcept;
  TPenList& operator=(TPenList&& other) noexcept;
  ~TPenList() = default;

  // Appends a copy of the entry as it is.
  void Add(const TPenE& PenE);
  // Appends the control entry cmd with colour word c and the low bytes of t, m, w, a.
  void AddDn(std::int32_t cmd, std::int32_t c, std::int32_t t, std::int32_t m, std::int32_t w,
             std::int32_t a);
  // Starts a stroke: AddDn(StrokeHeader, c, t, m, w, a) then AddXY(x, y, p). Both entries
  // are appended or, without memory, neither.
  void AddPenDn(std::int32_t x, std::int32_t y, std::int32_t p, std::int32_t c, std::int32_t t,
                std::int32_t m, std::int32_t w, std::int32_t a);
  // Appends the point (x, y, p). An x below MinPointX is stored as MinPointX, so that a
  // point can never be read back as a control code.
  void AddXY(std::int32_t x, std::int32_t y, std::int32_t p);
  // Appends (p, 0, 0); with p = StrokeEnd this ends the stroke.
  void AddPenUp(std::int32_t p);
  // Removes every entry; Selected becomes false.
  void Clear();

  // A copy of entry i; throws std::out_of_range unless 0 <= i < GetCount().
  TPenE PenE(std::int32_t i) const;
  std::int32_t GetCount() const { return static_cast<std::int32_t>(count_); }

  // True when Select has marked a stroke header since the last SelectNone or Clear.
  bool Selected() const { return selected_; }
  // Marks the stroke whose header is entry i; any other i changes nothing.
  void Select(std::int32_t i);
  // Unmarks every stroke header; Selected becomes false.
  void SelectNone();
  // Moves every point of the marked strokes by (mx, my). Coordinates saturate: x stops at
  // MinPointX so a moved point stays a point, and neither coordinate wraps around.
  void SelectShift(std::int32_t mx, std::int32_t my);

  // The n-th point of the stroke that lies before index i (n = 1 is its first point), or
  // its last point before i when the stroke is shorter. x = -1 when no stroke header lies
  // before i or the stroke has no point before i.
  TPenPoint NearP_DN(std::int32_t i, std::int32_t n) const;
  // Walks back from entry i - 1 over at most n + 1 entries, never past the first point of
  // the stroke, and returns that point. x = -1 when the walk runs off the start of the list
  // or the stroke has no point there. Neither search ever returns a control entry's words.
  TPenPoint NearP_UP(std::int32_t i, std::int32_t n) const;

  // Storage identity of every chunk in order: two lists share a chunk when they hold the
  // same identity. Used to measure what copies share.
  std::vector<const void*> ChunkIds() const;

 private:
  using Chunk = std::array<TPenE, ChunkEntries>;

  // Makes room for n (at most ChunkEntries) appends that then cannot fail; false and no
  // change when memory ran out.
  bool Reserve(std::size_t n) noexcept;
  // Writes the entry after the last one; only after Reserve.
  void Put(const TPenE& e) noexcept;
  void Append(const TPenE& e) noexcept;
  // Makes every chunk k with need[k] writable (copying the shared ones) or, without memory,
  // none of them and returns false.
  bool MakeWritable(const std::vector<bool>& need) noexcept;
  const TPenE& At(std::size_t i) const { return (*chunks_[i / ChunkEntries])[i % ChunkEntries]; }
  TPenE& WritableAt(std::size_t i) { return (*chunks_[i / ChunkEntries])[i % ChunkEntries]; }
  TPenPoint PointAtOrBefore(std::size_t k) const;

  std::vector<std::shared_ptr<Chunk>> chunks_;
  std::size_t count_ = 0;
  bool selected_ = false;
};

}  // namespace lumidraw::strokes
