// Makes the request controller the application uses; the caller owns it.
#pragma once

#include "engine/RequestController.h"

class IMFactory {
public:
    virtual ~IMFactory();

    static RequestController* getNewRequestController();
};
