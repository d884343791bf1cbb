#include "engine/IMFactory.h"

#include "engine/GtalkRequestController.h"

IMFactory::~IMFactory() = default;

RequestController* IMFactory::getNewRequestController() { return new GtalkRequestController(); }
