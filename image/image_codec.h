// The two conversions between DataBuf and the working copies.
#pragma once
#include <string>
#include <vector>

#include "image/image_layout.h"
#include "image/macro_area_check.h"
#include "image/parameter_record.h"
#include "image/section_checks.h"

namespace zelko {

// Which checks replaced something while unpacking.
struct UnpackReport {
  bool parameter_a = false;
  ParameterBPairRepairs parameter_b_pairs{};
  bool profile = false;
  bool fire_key = false;
  // Macro slots whose content failed its check and was emptied (not counted
  // as a repaired section: a slot the mouse never filled fails it too).
  EmptiedMacroSlots macro_slots{};

  bool AnyRepaired() const;
  // "ParameterA", "ParameterB.CurrentDpiLevel", "Profile", "FireKey", ...
  std::vector<std::string> RepairedParts() const;
};

// DataBuf into ParameterRecord and BaseMacroArea, section by section with
// its check, then the macro area check. DataBuf is not changed.
UnpackReport UnpackSections(const DataBuf& image, ParameterRecord& record, BaseMacroArea& macros);

// The working copies into DataBuf with fresh checksums of ParameterA,
// Profile and FireKey, then the macro area. Bytes the program does not
// interpret (and the signature) are left as they are. The settings are
// encoded into the record before (one step above the image does both).
void PackImage(ParameterRecord& record, const BaseMacroArea& macros, DataBuf& image);

// Copies one section of the record into DataBuf.
void CopySectionToImage(const ParameterRecord& record, Section section, DataBuf& image);
// Copies BaseMacroArea into DataBuf at 0x100.
void CopyMacroAreaToImage(const BaseMacroArea& macros, DataBuf& image);

}  // namespace zelko
