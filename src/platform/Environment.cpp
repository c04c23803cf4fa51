#include "platform/Environment.h"

#include <QtGlobal>

namespace platform {
QString EnvValue(const char* name) { return qEnvironmentVariable(name); }
}  // namespace platform
