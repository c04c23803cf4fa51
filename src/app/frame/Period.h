#pragma once
// The program-wide period (to be filled in).
class Period {
public:
};
