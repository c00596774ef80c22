// The positions a person configures for the location extension on a desktop:
// KESTRO_POSITION, one fixed position, or KESTRO_POSITION_FILE, a file of positions taken
// in turn at each delivery (the last one stays). A position is "LATITUDE LONGITUDE
// [ALTITUDE [ACCURACY]]" in decimal degrees and metres. A line that is no position is
// reported on standard error as FILE:LINE and left out.
#pragma once

#include "PositionService.h"

#include <QTimer>

#include <map>
#include <memory>
#include <vector>

class ConfiguredPositions : public PositionService {
public:
    // Reads the configuration from the environment.
    ConfiguredPositions();

    void startPositions(const void* key, TInt32 interval,
                        std::function<void(const PositionFix&)> deliver) override;
    void stopPositions(const void* key) override;

private:
    struct Delivery {
        std::unique_ptr<QTimer> timer;
        std::size_t next = 0; // the position it delivers next
    };

    std::vector<PositionFix> positions;
    std::map<const void*, Delivery> deliveries;
};
