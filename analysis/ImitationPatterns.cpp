#include "analysis/ImitationPatterns.h"

#include <algorithm>

#include "analysis/ChordBuilders.h"
#include "pcset/PitchClassSet.h"
#include "relations/Molds.h"

int GetSmallest(int a, int b, int c) { return std::min({999999, a, b, c}); }

void PitchClassSet::calculateImitationPatterns()
{
    imitationPoles.clear();
    robustImitationPoles.clear();
    const int tonalType = GiveTonalType();
    if (tonalType == 0)
        return;
    const std::vector<int> collection = getNormalForm();

    if (tonalType == 1) {
        for (int r = 0; r < 12; ++r) {
            // The major triad on r (third r + 4), then the minor (third r + 3).
            for (int type : {1, 2}) {
                if (!HoldsTriad(*this, r, type == 1 ? 4 : 3))
                    continue;
                const std::vector<int> triad = type == 1 ? MakeMajorTriad(r) : MakeMinorTriad(r);
                const int root = triad[0], third = triad[1], fifth = triad[2];
                const int a = FindDegreeNumberBetween(root, third);
                const int b = FindDegreeNumberBetween(third, fifth);
                const int c = FindDegreeNumberBetween(fifth, root);
                const int code = GetSmallest(100 * a + 10 * b + c, 100 * b + 10 * c + a, 100 * c + 10 * a + b);
                imitationPoles.push_back({r, code, type});
                robustImitationPoles.push_back({r, findImitationMold(collection, triad, 0), type});
            }
        }
    } else {
        for (int r = 0; r < 12; ++r) {
            if (pcPresence[r] == 0 || pcPresence[(r + 7) % 12] == 0)
                continue;
            const std::vector<int> fifth = MakeFifth(r);
            const int a = FindDegreeNumberBetween(fifth[0], fifth[1]);
            const int c = FindDegreeNumberBetween(fifth[1], fifth[0]);
            const int code = GetSmallest(10 * a + c, 10 * a + c, 10 * c + a);
            imitationPoles.push_back({r, code, -1});
            robustImitationPoles.push_back({r, findImitationMold(collection, fifth, 0), -1});
        }
    }
}
