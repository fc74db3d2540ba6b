// The game's own loudness meter, as the sound tests use it.
#pragma once

#include "audio/loudness_meter.h"

namespace audiotest {

using audio::IntegratedLoudness;

}  // namespace audiotest
