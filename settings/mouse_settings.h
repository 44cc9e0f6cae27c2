// Every setting of the mouse that both programs edit, as typed models, and
// the one step between them and the working record: decoding all of them
// after an image was shown, encoding all of them before it is written.
// Neither front end encodes a model on its own, so none can be forgotten.
#pragma once
#include "image/parameter_record.h"
#include "settings/aim_key.h"
#include "keys/button_map.h"
#include "settings/device_options.h"
#include "settings/dpi_levels.h"
#include "settings/fire_key.h"
#include "settings/lighting.h"

namespace zelko {

struct MouseSettings {
  ButtonMap buttons;
  AimKey aim;
  DpiLevels dpi;
  FireKeySettings fire;
  Lighting lighting;
  DeviceOptions options;
  friend bool operator==(const MouseSettings&, const MouseSettings&) = default;
};

MouseSettings DecodeMouseSettings(const ParameterRecord& record);

// Every model into `record`, in a fixed order: the AIM value after the
// button map (it rewrites the AIM buttons' codes). Checksums are left to
// PackImage; bytes no model holds are kept.
void EncodeMouseSettings(const MouseSettings& settings, ParameterRecord& record);

// `base` with every setting encoded into it.
ParameterRecord EncodedRecord(const MouseSettings& settings, const ParameterRecord& base);

}  // namespace zelko
