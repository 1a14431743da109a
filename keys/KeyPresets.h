// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading/GradingKey.h"

#include <vector>

namespace keys {

// Starting points for a key of the teacher's own, each under its name: the KMK's 0 to 15
// points, 1 to 6, 1+ to 6 with tendencies, Austria's 1 to 5, two for dictations by their number
// of errors, one by the errors per 100 words, then GYM and IHK as `keys` hold them. Copies, to
// be edited and saved under a name of the teacher's.
std::vector<grading::GradingKey> keyPresets(const grading::Keys& keys);

} // namespace keys
