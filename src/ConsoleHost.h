// The host services of a run without a window: log lines go to standard error.
#pragma once

#include "FrameworkServices.h"

class ConsoleHost : public FrameworkServices {
public:
    void log(const OString& message) override;
    void showExitMessage(const OString& text) override;
    [[noreturn]] void exitApplication() override;
    TInt32 callExtension(TInt32 extension, TInt32 function, TInt32 top,
                         TUint32 stackAddress) override;
};
