// Reading only what a write must travel with: the sections a command will
// change, plus the identity bytes, instead of the whole image. Which ranges
// those are, whether an image already held still matches them, and the
// check that an edit made on such an image stayed inside what was read.
#pragma once
#include <initializer_list>
#include <span>
#include <vector>

#include "image/image_layout.h"
#include "image/parameter_record.h"

namespace zelko {

class Workspace;

// The ranges to read for `sections`: each whole (a section is written with
// a fresh checksum over all of it, so all of it must be known) and the two
// identity bytes, ascending, neighbours joined where one block read is
// cheaper than two.
std::vector<AddressRange> SectionReadRanges(std::initializer_list<Section> sections);
std::vector<AddressRange> SectionReadRanges(std::span<const Section> sections);

// `ranges` ascending, overlaps and neighbours joined as above, with the
// identity bytes added.
std::vector<AddressRange> PlanRangeRead(std::vector<AddressRange> ranges);

// True when every byte of `inner` lies in `outer` (both ascending).
bool RangesCover(const std::vector<AddressRange>& outer, const std::vector<AddressRange>& inner);
// The union of the two, ascending, touching ranges joined.
std::vector<AddressRange> JoinRanges(std::vector<AddressRange> a, const std::vector<AddressRange>& b);
// The two images agree on every byte of `ranges`.
bool SameOver(const DataBuf& a, const DataBuf& b, const std::vector<AddressRange>& ranges);

// What an edit started from, to tell afterwards what it changed.
struct EditBaseline {
  DataBuf image{};
  ParameterRecord record{};
  BaseMacroArea macros{};
  static EditBaseline Of(const Workspace& workspace);
};

// After an edit of a workspace whose data_buf holds only some ranges of the
// mouse (Workspace::partial_image): false when the edit changed a setting
// the read did not cover (the caller reads the whole image and edits
// again). Otherwise every byte outside the ranges read goes back to what it
// was before the edit (packing rewrote those sections from placeholders),
// so that only bytes that were read can travel. True at once for a whole
// image.
[[nodiscard]] bool ConfineEditToRead(Workspace& workspace, const EditBaseline& before);

}  // namespace zelko
