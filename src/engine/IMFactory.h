// Makes the request controller the application uses; the caller owns it. A test installs a
// maker of its own (a controller that records what the screens ask for) before the
// application starts, and null afterwards to get the real controller back.
// Threading: user-interface thread, before and after the application runs.
#pragma once

#include "engine/RequestController.h"

class GtalkRequestController;

class IMFactory {
public:
    virtual ~IMFactory();

    using Maker = GtalkRequestController* (*)();

    static RequestController* getNewRequestController();
    static void SetRequestControllerMaker(Maker maker);
};
