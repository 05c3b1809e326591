// The cleaner's start-up: one instance, the help file, the "/u" switch,
// the unattended runs of "/auto" and "/preview", and otherwise the main
// window until it is destroyed.
#pragma once

#include "framework/Window.h"

class CVeltrinApp : public CApplication {
protected:
    // Runs the whole program and returns false, so that no second message
    // loop follows.
    bool InitInstance() override;
};
