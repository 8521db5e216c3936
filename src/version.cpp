#include "version.h"

namespace quintrel {

const char* const kVersionLabel = "1.0.3";

}  // namespace quintrel
