#pragma once

// Commands whose window comes with a later version say so.
void ShowLaterVersion();
