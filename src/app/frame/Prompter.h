#pragma once
// Every question, input, message and file choice goes through this (to be filled in).
class Prompter {
public:
    virtual ~Prompter() = default;
};
