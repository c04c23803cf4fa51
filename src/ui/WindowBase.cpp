#include "ui/WindowBase.h"
