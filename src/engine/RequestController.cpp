#include "engine/RequestController.h"

RequestController::~RequestController() = default;
