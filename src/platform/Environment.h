#pragma once

#include <QString>

// Environment values of the running program.
namespace platform {
// The value of an environment variable, empty when it is not set.
QString EnvValue(const char* name);
}  // namespace platform
