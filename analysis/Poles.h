#ifndef HARMODEX_ANALYSIS_POLES_H
#define HARMODEX_ANALYSIS_POLES_H

// Helpers on lists of poles (PoleInfo, pcset/SetRecords.h). The integer
// overloads of getBiggest and AddVectors live in pcset/Conversions.h and are
// brought in here so that both overload sets are visible together.

#include <vector>

#include "pcset/Conversions.h"
#include "pcset/SetRecords.h"

// The poles whose type equals type, in their order.
std::vector<PoleInfo> FilterPolesByType(const std::vector<PoleInfo>& poles, int type);

// The largest value among the poles, -999 for an empty list.
int getBiggest(const std::vector<PoleInfo>& poles);

// The poles of a followed by those of b.
std::vector<PoleInfo> AddVectors(std::vector<PoleInfo> a, const std::vector<PoleInfo>& b);

#endif
