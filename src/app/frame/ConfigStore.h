#pragma once
class Log;
// The configuration store (to be filled in).
class ConfigStore {
public:
    explicit ConfigStore(Log& log) : log_(log) {}
private:
    Log& log_;
};
