#include "image/workspace.h"

#include <algorithm>

#include "image/defaults.h"

namespace zelko {

Workspace::Workspace() : factory_images_(LoadFactoryImages()) {
  if (factory_images_) data_buf = (*factory_images_)[0];
}

UnpackReport Workspace::UnpackSections() {
  return zelko::UnpackSections(data_buf, record, base_macro_area, hooks);
}

void Workspace::DataBufToUI() { zelko::DataBufToUI(record, profile_key_codes, hooks); }

UnpackReport Workspace::UnpackImage() {
  UnpackReport report = UnpackSections();
  DataBufToUI();
  return report;
}

void Workspace::PackImage() { zelko::PackImage(record, base_macro_area, data_buf, hooks); }

void Workspace::CommitRepairs(const UnpackReport& report) {
  const bool pair_repaired = std::any_of(report.parameter_b_pairs.begin(),
                                         report.parameter_b_pairs.end(), [](bool b) { return b; });
  if (report.parameter_a) CopySectionToImage(record, Section::ParameterA, data_buf);
  if (pair_repaired) CopySectionToImage(record, Section::ParameterB, data_buf);
  if (report.profile) CopySectionToImage(record, Section::Profile, data_buf);
  if (report.fire_key) CopySectionToImage(record, Section::FireKey, data_buf);
}

UnpackReport Workspace::ShowImage(const DataBuf& image, ImageSource from) {
  data_buf = image;
  source = from;
  return UnpackImage();
}

bool Workspace::ShowFactoryImage(int n, ImageSource from) {
  if (!factory_images_ || n < 1 || n > kFactoryImageCount) return false;
  RunHook(hooks.clear_macro_editor);
  ShowImage((*factory_images_)[static_cast<std::size_t>(n - 1)], from);
  return true;
}

void Workspace::BuildBuiltInDefaults() {
  profile_key_codes.Clear();
  const ParameterRecord defaults = BuiltInDefaultRecord();
  record = defaults;
  for (const auto& place : kSectionPlaces) CopySectionToImage(record, place.section, data_buf);
  base_macro_area.fill(0);
  RunHook(hooks.read_and_refresh_macro, base_macro_area);
  CopyMacroAreaToImage(base_macro_area, data_buf);
  source = ImageSource::kBuiltInDefaults;
  DataBufToUI();
}

}  // namespace zelko
