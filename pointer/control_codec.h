// Between the engineer page's controls and ParameterRecord: UIToDataBuf
// writes the controls into the record, RefreshEngineerControls fills them
// from it (the DPI, AIM, fire and lighting parts of RefreshUI).
#pragma once
#include "image/parameter_record.h"
#include "pointer/engineer_controls.h"

namespace zelko {

// Writes every field of ParameterA and ParameterB and FireKey bytes 2 and 8
// from the controls. A bit whose radio pair has neither button checked, a
// list with nothing selected where the field needs a choice, and an edit
// whose text is not a number in the field's range all keep the record's
// previous value. Complements are written as 0xFF - value. Checksums are
// left to the packer.
void UIToDataBuf(const EngineerControls& controls, ParameterRecord& record);

// Fills the controls from the record. Values the controls cannot show
// (a count nibble of 10..15, a current mode of 0, an out-of-range index)
// leave those controls as they were, or without a selection.
void RefreshEngineerControls(const ParameterRecord& record, EngineerControls& controls);

// The LED type the controls encode: the checked radio button, or with
// neither checked the type the record already holds.
bool EncodesNormalLed(const EngineerControls& controls, const ParameterRecord& record);

}  // namespace zelko
