#include "image/section_read.h"

#include <algorithm>
#include <utility>

#include "device/protocol_layout.h"
#include "image/workspace.h"

namespace zelko {
namespace {

constexpr AddressRange kIdentityRange{kManufacturerCodeAddress, kProductCodeAddress + 1};

// One more block read command costs as much sleep as two read chunks (10 ms
// against 5 ms each): two ranges are read as one when that adds at most
// two chunks.
constexpr std::size_t kChunksPerReadCommand = 2;

bool CheaperJoined(const AddressRange& a, const AddressRange& b) {
  const std::size_t joined = ChunkCount(b.end - a.begin);
  return joined <= ChunkCount(a.end - a.begin) + ChunkCount(b.end - b.begin) + kChunksPerReadCommand;
}

std::vector<AddressRange> Sorted(std::vector<AddressRange> ranges) {
  std::sort(ranges.begin(), ranges.end(),
            [](const AddressRange& a, const AddressRange& b) { return a.begin < b.begin; });
  return ranges;
}

}  // namespace

std::vector<AddressRange> PlanRangeRead(std::vector<AddressRange> ranges) {
  ranges.push_back(kIdentityRange);
  std::vector<AddressRange> plan;
  for (const auto& range : Sorted(std::move(ranges))) {
    if (range.begin >= range.end) continue;
    if (!plan.empty() && (range.begin <= plan.back().end || CheaperJoined(plan.back(), range))) {
      plan.back().end = std::max(plan.back().end, range.end);
    } else {
      plan.push_back(range);
    }
  }
  return plan;
}

std::vector<AddressRange> SectionReadRanges(std::span<const Section> sections) {
  std::vector<AddressRange> ranges;
  for (Section section : sections) {
    const auto& place = PlaceOf(section);
    ranges.push_back({place.image_offset, place.image_offset + place.length});
  }
  return PlanRangeRead(std::move(ranges));
}

std::vector<AddressRange> SectionReadRanges(std::initializer_list<Section> sections) {
  return SectionReadRanges(std::span<const Section>(sections.begin(), sections.size()));
}

bool RangesCover(const std::vector<AddressRange>& outer, const std::vector<AddressRange>& inner) {
  return std::all_of(inner.begin(), inner.end(), [&](const AddressRange& r) {
    return std::any_of(outer.begin(), outer.end(),
                       [&](const AddressRange& o) { return o.begin <= r.begin && r.end <= o.end; });
  });
}

std::vector<AddressRange> JoinRanges(std::vector<AddressRange> a, const std::vector<AddressRange>& b) {
  a.insert(a.end(), b.begin(), b.end());
  std::vector<AddressRange> joined;
  for (const auto& range : Sorted(std::move(a))) {
    if (!joined.empty() && range.begin <= joined.back().end) {
      joined.back().end = std::max(joined.back().end, range.end);
    } else {
      joined.push_back(range);
    }
  }
  return joined;
}

bool SameOver(const DataBuf& a, const DataBuf& b, const std::vector<AddressRange>& ranges) {
  return std::all_of(ranges.begin(), ranges.end(), [&](const AddressRange& r) {
    return std::equal(a.begin() + static_cast<std::ptrdiff_t>(r.begin),
                      a.begin() + static_cast<std::ptrdiff_t>(r.end),
                      b.begin() + static_cast<std::ptrdiff_t>(r.begin));
  });
}

EditBaseline EditBaseline::Of(const Workspace& workspace) {
  return {workspace.data_buf, workspace.record, workspace.base_macro_area};
}

bool ConfineEditToRead(Workspace& workspace, const EditBaseline& before) {
  if (!workspace.partial_image) return true;
  const auto& read = *workspace.partial_image;
  const auto covered = [&](std::size_t begin, std::size_t length) {
    return RangesCover(read, {{begin, begin + length}});
  };
  // A setting of a section that was not read whole may not change: the
  // write would carry it with placeholders around it.
  for (const auto& place : kSectionPlaces) {
    if (covered(place.image_offset, place.length)) continue;
    const auto was = before.record.SectionBytes(place.section);
    const auto now = std::as_const(workspace.record).SectionBytes(place.section);
    if (!std::equal(was.begin(), was.end(), now.begin())) return false;
  }
  if (!covered(kMacroAreaOffset, kMacroAreaSize) && before.macros != workspace.base_macro_area) {
    return false;
  }
  // Within the record nothing unread changed; bytes of the image outside
  // what was read go back to what the read left there.
  DataBuf confined = before.image;
  for (const auto& range : read) {
    std::copy(workspace.data_buf.begin() + static_cast<std::ptrdiff_t>(range.begin),
              workspace.data_buf.begin() + static_cast<std::ptrdiff_t>(range.end),
              confined.begin() + static_cast<std::ptrdiff_t>(range.begin));
  }
  workspace.data_buf = confined;
  return true;
}

}  // namespace zelko
