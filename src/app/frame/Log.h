#pragma once
// The program log (to be filled in).
class Log {
public:
};
