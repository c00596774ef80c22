// Where a desktop's positions come from: the person's configured position or file of
// positions, delivered at a position requestor's interval. The host runs each delivery
// on its event loop as a host call of its own.
#pragma once

#include "Types.h"

#include <functional>

struct PositionFix {
    double first = 0;  // latitude
    double second = 0; // longitude
    double third = 0;  // altitude
    double fourth = 0; // accuracy
};

class PositionService {
public:
    virtual ~PositionService() = default;
    // Calls `deliver` with a position soon and then every `interval` milliseconds (once
    // when the interval is not positive); `key` names the delivery, and a new start under a
    // key replaces the old one. Nothing happens when no position is configured.
    virtual void startPositions(const void* key, TInt32 interval,
                                std::function<void(const PositionFix&)> deliver) = 0;
    virtual void stopPositions(const void* key) = 0;
};
