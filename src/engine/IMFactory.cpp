#include "engine/IMFactory.h"

#include "engine/GtalkRequestController.h"

IMFactory::~IMFactory() = default;

namespace {

IMFactory::Maker maker = nullptr;

}  // namespace

RequestController* IMFactory::getNewRequestController() { return maker != nullptr ? maker() : new GtalkRequestController(); }

void IMFactory::SetRequestControllerMaker(Maker value) { maker = value; }
