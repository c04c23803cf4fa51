#include "app/frame/AppContext.h"

#include <cstdlib>

namespace {
AppContext* current = nullptr;
}

AppContext::AppContext(std::unique_ptr<Prompter> prompter)
    : previous_(current), prompter_(std::move(prompter)), config_(log_) {
    config_.UseLogonValues(logon_);
    current = this;
}

AppContext::~AppContext() { current = previous_; }

AppContext& AppContext::Current() {
    if (!current) std::abort();  // a program or test without a context is a programming error
    return *current;
}

bool AppContext::HasCurrent() { return current != nullptr; }
