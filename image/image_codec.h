// The two conversions between DataBuf and the working copies.
#pragma once
#include <string>
#include <vector>

#include "image/image_hooks.h"
#include "image/image_layout.h"
#include "image/parameter_record.h"
#include "image/section_checks.h"

namespace zelko {

// Which checks replaced something while unpacking.
struct UnpackReport {
  bool parameter_a = false;
  ParameterBPairRepairs parameter_b_pairs{};
  bool profile = false;
  bool fire_key = false;

  bool AnyRepaired() const;
  // "ParameterA", "ParameterB.CurrentDpiLevel", "Profile", "FireKey", ...
  std::vector<std::string> RepairedParts() const;
};

// DataBuf into ParameterRecord and BaseMacroArea, section by section with
// its check, then the macro hook. DataBuf is not changed. DataBufToUI is
// left to the caller (a device read runs it only after closing the
// exchange).
UnpackReport UnpackSections(const DataBuf& image, ParameterRecord& record, BaseMacroArea& macros,
                            const ImageHooks& hooks);

// Rebuilds ProfileKeyCodes from Profile and redraws the pages.
void DataBufToUI(const ParameterRecord& record, ProfileKeyCodes& key_codes,
                 const ImageHooks& hooks);

// The working copies into DataBuf: UIToDataBuf, the ParameterA checksum,
// ParameterB, AIMKeyToDataBuf, the Profile checksum, the reserves, the
// FireKey checksum, the macro area. Bytes the program does not interpret
// (and the signature) are left as they are.
void PackImage(ParameterRecord& record, const BaseMacroArea& macros, DataBuf& image,
               const ImageHooks& hooks);

// Copies one section of the record into DataBuf.
void CopySectionToImage(const ParameterRecord& record, Section section, DataBuf& image);
// Copies BaseMacroArea into DataBuf at 0x100.
void CopyMacroAreaToImage(const BaseMacroArea& macros, DataBuf& image);

}  // namespace zelko
