// The application ends itself by ending the process.
#pragma once

#include "LifecycleService.h"

class ProcessLifecycle : public LifecycleService {
public:
    [[noreturn]] void exitApplication() override;
    // This host has nowhere to show the text.
    void showExitMessage(const OString&) override {}
};
