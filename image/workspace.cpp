#include "image/workspace.h"

#include <algorithm>

#include "image/defaults.h"

namespace zelko {

Workspace::Workspace() : factory_images_(LoadFactoryImages()) {
  if (factory_images_) data_buf = (*factory_images_)[0];
}

UnpackReport Workspace::UnpackImage() {
  UnpackReport report = UnpackSections(data_buf, record, base_macro_area);
  profile_key_codes = BuildProfileKeyCodes(record.Profile);
  return report;
}

void Workspace::PackImage() { zelko::PackImage(record, base_macro_area, data_buf); }

void Workspace::CommitRepairs(const UnpackReport& report) {
  const auto any = [](const auto& flags) {
    return std::any_of(flags.begin(), flags.end(), [](bool b) { return b; });
  };
  if (report.parameter_a) CopySectionToImage(record, Section::ParameterA, data_buf);
  if (any(report.parameter_b_pairs)) CopySectionToImage(record, Section::ParameterB, data_buf);
  if (report.profile) CopySectionToImage(record, Section::Profile, data_buf);
  if (report.fire_key) CopySectionToImage(record, Section::FireKey, data_buf);
  if (any(report.macro_slots)) CopyMacroAreaToImage(base_macro_area, data_buf);
}

UnpackReport Workspace::LoadImage(const DataBuf& image, ImageSource from) {
  data_buf = image;
  partial_image.reset();
  source = from;
  return UnpackImage();
}

bool Workspace::LoadFactoryImage(int n, ImageSource from) {
  if (!factory_images_ || n < 1 || n > kFactoryImageCount) return false;
  LoadImage((*factory_images_)[static_cast<std::size_t>(n - 1)], from);
  return true;
}

void Workspace::BuildBuiltInDefaults() {
  record = BuiltInDefaultRecord();
  for (const auto& place : kSectionPlaces) CopySectionToImage(record, place.section, data_buf);
  base_macro_area.fill(0);
  CopyMacroAreaToImage(base_macro_area, data_buf);
  profile_key_codes = BuildProfileKeyCodes(record.Profile);
  source = ImageSource::kBuiltInDefaults;
}

}  // namespace zelko
