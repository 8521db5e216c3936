#pragma once

namespace quintrel {

// The version text exchanged at login; peers compare it exactly.
extern const char* const kVersionLabel;

}  // namespace quintrel
