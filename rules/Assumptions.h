#pragma once

#include <string>

namespace rules {

// The eleven lines behind the prize table, joined by CR LF: the popular numbers and the prizes
// come from the constants the draws and the evaluation use.
std::string AssumptionsText();

}  // namespace rules
