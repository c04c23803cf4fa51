#pragma once
// The table catalogue (to be filled in).
