#pragma once
// The base of every window (to be filled in).
