// The parameter image: DataBuf, its sections, the working copies and the
// section checksum.
#pragma once
#include "image/checksum.h"
#include "image/image_layout.h"
#include "image/parameter_record.h"
