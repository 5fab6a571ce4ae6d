#include "strokes/pen_list.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace lumidraw::strokes {

namespace {

// The count stays a signed 32-bit number; a multiple of the chunk size keeps the limit
// check off the append fast path.
constexpr std::size_t MaxEntries =
    std::numeric_limits<std::int32_t>::max() / TPenList::ChunkEntries * TPenList::ChunkEntries;

std::int32_t Saturate(std::int64_t v, std::int64_t low) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, low, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

TPenList::TPenList(TPenList&& other) noexcept
    : chunks_(std::move(other.chunks_)),
      count_(std::exchange(other.count_, 0)),
      selected_(std::exchange(other.selected_, false)) {
  other.chunks_.clear();
}

TPenList& TPenList::operator=(TPenList&& other) noexcept {
  if (this != &other) {
    chunks_ = std::move(other.chunks_);
    other.chunks_.clear();
    count_ = std::exchange(other.count_, 0);
    selected_ = std::exchange(other.selected_, false);
  }
  return *this;
}

void TPenList::Add(const TPenE& PenE) {
  Append(PenE);
}

void TPenList::AddDn(std::int32_t cmd, std::int32_t c, std::int32_t t, std::int32_t m,
                     std::int32_t w, std::int32_t a) {
  Append(TPenE::Control(cmd, c, t, m, w, a));
}

void TPenList::AddPenDn(std::int32_t x, std::int32_t y, std::int32_t p, std::int32_t c,
                        std::int32_t t, std::int32_t m, std::int32_t w, std::int32_t a) {
  if (!Reserve(2)) return;
  Put(TPenE::Control(StrokeHeader, c, t, m, w, a));
  Put({std::max(x, MinPointX), y, p});
}

void TPenList::AddXY(std::int32_t x, std::int32_t y, std::int32_t p) {
  Append({std::max(x, MinPointX), y, p});
}

void TPenList::AddPenUp(std::int32_t p) {
  Append({p, 0, 0});
}

void TPenList::Clear() {
  chunks_.clear();
  count_ = 0;
  selected_ = false;
}

TPenE TPenList::PenE(std::int32_t i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= count_) {
    throw std::out_of_range("TPenList::PenE: index outside the list");
  }
  return At(static_cast<std::size_t>(i));
}

void TPenList::Select(std::int32_t i) {
  if (i < 0 || static_cast<std::size_t>(i) >= count_) return;
  const auto index = static_cast<std::size_t>(i);
  if (!At(index).IsStrokeHeader()) return;
  if ((At(index).m() & SelectedBit) == 0) {
    try {
      std::vector<bool> need(chunks_.size());
      need[index / ChunkEntries] = true;
      if (!MakeWritable(need)) return;
    } catch (const std::bad_alloc&) {
      return;
    }
    TPenE& e = WritableAt(index);
    e = TPenE::Control(e.x, e.c(), e.t(), e.m() | SelectedBit, e.w(), e.a());
  }
  selected_ = true;
}

void TPenList::SelectNone() {
  const auto marked = [this](std::size_t i) {
    const TPenE& e = At(i);
    return e.IsStrokeHeader() && (e.m() & SelectedBit) != 0;
  };
  try {
    std::vector<bool> need(chunks_.size());
    for (std::size_t i = 0; i < count_; ++i) {
      if (marked(i)) need[i / ChunkEntries] = true;
    }
    if (!MakeWritable(need)) return;
  } catch (const std::bad_alloc&) {
    return;
  }
  for (std::size_t i = 0; i < count_; ++i) {
    if (!marked(i)) continue;
    TPenE& e = WritableAt(i);
    e = TPenE::Control(e.x, e.c(), e.t(), e.m() & ~SelectedBit, e.w(), e.a());
  }
  selected_ = false;
}

void TPenList::SelectShift(std::int32_t mx, std::int32_t my) {
  if (mx == 0 && my == 0) return;
  // Calls visit(i) for every point of a marked stroke. A header decides for the points
  // after it; other control entries do not.
  const auto for_each_moving = [this](auto&& visit) {
    bool moving = false;
    for (std::size_t i = 0; i < count_; ++i) {
      const TPenE& e = At(i);
      if (e.IsStrokeHeader()) {
        moving = (e.m() & SelectedBit) != 0;
      } else if (!e.IsControl() && moving) {
        visit(i);
      }
    }
  };
  try {
    std::vector<bool> need(chunks_.size());
    for_each_moving([&need](std::size_t i) { need[i / ChunkEntries] = true; });
    if (!MakeWritable(need)) return;
  } catch (const std::bad_alloc&) {
    return;
  }
  for_each_moving([this, mx, my](std::size_t i) {
    TPenE& e = WritableAt(i);
    e.x = Saturate(std::int64_t{e.x} + mx, MinPointX);
    e.y = Saturate(std::int64_t{e.y} + my, std::numeric_limits<std::int32_t>::min());
  });
}

TPenPoint TPenList::NearP_DN(std::int32_t i, std::int32_t n) const {
  const auto end = std::clamp<std::int64_t>(i, 0, static_cast<std::int64_t>(count_));
  std::int64_t h = end - 1;
  while (h >= 0 && !At(static_cast<std::size_t>(h)).IsStrokeHeader()) --h;
  if (h < 0) return {};
  std::int64_t k = h + n;
  if (k >= end) k = end - 1;
  if (k <= h) return {};
  return PointAtOrBefore(static_cast<std::size_t>(k));
}

TPenPoint TPenList::NearP_UP(std::int32_t i, std::int32_t n) const {
  const auto end = std::clamp<std::int64_t>(i, 0, static_cast<std::int64_t>(count_));
  const std::int64_t stop = end - n;
  std::int64_t k = end - 1;
  while (k >= 0 && !At(static_cast<std::size_t>(k)).IsStrokeHeader() && k >= stop) --k;
  if (k < 0) return {};
  if (At(static_cast<std::size_t>(k)).IsStrokeHeader()) ++k;
  if (k >= static_cast<std::int64_t>(count_)) return {};
  return PointAtOrBefore(static_cast<std::size_t>(k));
}

std::vector<const void*> TPenList::ChunkIds() const {
  std::vector<const void*> ids;
  ids.reserve(chunks_.size());
  for (const auto& chunk : chunks_) ids.push_back(chunk.get());
  return ids;
}

bool TPenList::Reserve(std::size_t n) noexcept {
  if (count_ + n > MaxEntries) return false;
  try {
    // Everything that can fail happens before the list is touched.
    std::shared_ptr<Chunk> own_last;
    if (count_ % ChunkEntries != 0 && chunks_.back().use_count() > 1) {
      own_last = std::make_shared<Chunk>(*chunks_.back());
    }
    std::shared_ptr<Chunk> extra;
    if ((count_ + n + ChunkEntries - 1) / ChunkEntries > chunks_.size()) {
      extra = std::make_shared<Chunk>();
      if (chunks_.size() == chunks_.capacity()) {
        chunks_.reserve(std::max<std::size_t>(16, 2 * chunks_.size()));
      }
    }
    if (own_last) chunks_.back() = std::move(own_last);
    if (extra) chunks_.push_back(std::move(extra));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

void TPenList::Put(const TPenE& e) noexcept {
  WritableAt(count_) = e;
  ++count_;
}

void TPenList::Append(const TPenE& e) noexcept {
  // Fast path: room in a last chunk that no copy shares.
  const std::size_t used = count_ % ChunkEntries;
  if (used != 0 && chunks_.back().use_count() == 1) {
    (*chunks_.back())[used] = e;
    ++count_;
    return;
  }
  if (Reserve(1)) Put(e);
}

bool TPenList::MakeWritable(const std::vector<bool>& need) noexcept {
  std::vector<std::shared_ptr<Chunk>> copies;
  try {
    copies.resize(chunks_.size());
    for (std::size_t k = 0; k < chunks_.size(); ++k) {
      if (need[k] && chunks_[k].use_count() > 1) copies[k] = std::make_shared<Chunk>(*chunks_[k]);
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::size_t k = 0; k < chunks_.size(); ++k) {
    if (copies[k]) chunks_[k] = std::move(copies[k]);
  }
  return true;
}

TPenPoint TPenList::PointAtOrBefore(std::size_t k) const {
  for (std::size_t j = k + 1; j-- > 0;) {
    const TPenE& e = At(j);
    if (!e.IsControl()) return {e.x, e.y};
    if (e.IsStrokeHeader()) return {};
  }
  return {};
}

}  // namespace lumidraw::strokes
