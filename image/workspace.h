// The working state both programs own: the image, the working copies built
// from it, and where the image came from.
#pragma once
#include <optional>
#include <vector>

#include "image/factory_images.h"
#include "image/image_codec.h"
#include "image/image_layout.h"
#include "image/parameter_record.h"

namespace zelko {

// Where the image now in data_buf came from.
enum class ImageSource {
  kNoDevice,         // factory image 1, shown while no mouse is ready
  kDevice,           // a whole read of the mouse's memory
  kFactoryImage,     // factory image 1..3 (reset)
  kBuiltInDefaults,  // the built-in section defaults
  kProfileFile,      // a profile file or a backup
};

class Workspace {
 public:
  Workspace();

  DataBuf data_buf{};
  ParameterRecord record{};
  BaseMacroArea base_macro_area{};
  ProfileKeyCodes profile_key_codes;
  ImageSource source = ImageSource::kNoDevice;

  // The image the mouse was last known to hold: set by a whole read and by
  // a write that verified. Backups are taken from it.
  std::optional<DataBuf> mouse_image;
  // The ranges of mouse_image that were read or written: the whole image
  // after a whole read, only some sections after a read of sections.
  std::vector<AddressRange> mouse_known;

  // Set while data_buf holds the mouse's bytes only in these ranges (a read
  // of sections); the rest are placeholders that must never be written.
  // Anything that fills data_buf whole clears it.
  std::optional<std::vector<AddressRange>> partial_image;

  // Nothing when the compiled-in factory images are missing.
  const std::optional<FactoryImages>& factory_images() const { return factory_images_; }

  // data_buf into the working copies, with the section and macro checks,
  // and ProfileKeyCodes rebuilt from Profile.
  UnpackReport UnpackImage();
  // The working copies into data_buf with fresh checksums.
  void PackImage();

  // Copies what the checks replaced from the working copies into data_buf,
  // so that an image about to be written carries the repaired sections and
  // emptied macro slots.
  void CommitRepairs(const UnpackReport& report);

  // A whole image becomes data_buf and is unpacked.
  UnpackReport LoadImage(const DataBuf& image, ImageSource from);

  // Factory image n (1..3) becomes data_buf and is unpacked. False (nothing
  // changed) when n is out of range or the image is missing.
  [[nodiscard]] bool LoadFactoryImage(int n, ImageSource from = ImageSource::kFactoryImage);

  // Every section at its built-in default, copied into data_buf; the macro
  // area zeroed; the bytes of data_buf nothing interprets left alone.
  void BuildBuiltInDefaults();

 private:
  std::optional<FactoryImages> factory_images_;
};

}  // namespace zelko
