#include "settings/mouse_settings.h"

namespace zelko {

MouseSettings DecodeMouseSettings(const ParameterRecord& record) {
  MouseSettings settings;
  settings.buttons = DecodeButtonMap(record);
  settings.aim = DecodeAimKey(settings.buttons);
  settings.dpi = DecodeDpiLevels(record);
  settings.fire = DecodeFireKey(record);
  settings.lighting = DecodeLighting(record);
  settings.options = DecodeDeviceOptions(record);
  return settings;
}

void EncodeMouseSettings(const MouseSettings& settings, ParameterRecord& record) {
  EncodeDeviceOptions(settings.options, record);
  EncodeLighting(settings.lighting, record);
  EncodeDpiLevels(settings.dpi, record);
  EncodeFireKey(settings.fire, record);
  EncodeButtonMap(settings.buttons, record);
  EncodeAimKey(settings.aim, record);
}

ParameterRecord EncodedRecord(const MouseSettings& settings, const ParameterRecord& base) {
  ParameterRecord record = base;
  EncodeMouseSettings(settings, record);
  return record;
}

}  // namespace zelko
