#pragma once

#include <memory>

#include "app/frame/CommandLine.h"
#include "app/frame/ConfigStore.h"
#include "app/frame/Log.h"
#include "app/frame/LogonValues.h"
#include "app/frame/Period.h"
#include "app/frame/Prompter.h"

// Program-wide settings read once by the start.
struct FrameSettings {
    bool KroneAvrunding = false;
    bool Krone4Avrunding = false;
};

// The program-wide state in one place: log-on values, configuration store,
// log, period and the Prompter. The program builds one at start; every test
// builds a fresh one. Creating a context makes it the current one; the
// previous one is current again when it goes away.

class AppContext {
  public:
    // Takes ownership of the prompter (the Qt one in the program, a scripted one in tests).
    explicit AppContext(std::unique_ptr<Prompter> prompter);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    static AppContext& Current();
    static bool HasCurrent();

    ConfigStore& config() { return config_; }
    Log& log() { return log_; }
    Period& period() { return period_; }
    LogonValues& logon() { return logon_; }
    Prompter& prompter() { return *prompter_; }
    // The command line the start read, and the settings it read for the price rules.
    CommandLine& commandLine() { return commandLine_; }
    FrameSettings& settings() { return settings_; }

  private:
    AppContext* previous_;
    std::unique_ptr<Prompter> prompter_;
    Log log_;
    ConfigStore config_;
    Period period_;
    LogonValues logon_;
    CommandLine commandLine_;
    FrameSettings settings_;
};

// Short hand for the current context.
inline AppContext& Ctx() { return AppContext::Current(); }
