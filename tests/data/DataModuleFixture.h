#pragma once
// A data module connected to a fresh schema of the test server, with a fresh context whose
// Prompter is scripted and whose log is on.
#include "ModuleTest.h"

class DataModuleFixture : public testsupport::ModuleTest {};
