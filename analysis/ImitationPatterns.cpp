#include "analysis/ImitationPatterns.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "analysis/ChordBuilders.h"
#include "analysis/TonalClassification.h"
#include "pcset/PitchClassSet.h"
#include "relations/Molds.h"

int GetSmallest(int a, int b, int c) { return std::min({999999, a, b, c}); }

// The number of distinct pitch classes of the set met strictly between x and
// y when going up from x to y round the pitch-class circle: the degrees of
// the set passed over on the way (-1 when y is x itself). The count follows
// pitch order, so it does not depend on the order in which the set was
// entered nor on repeated pitch classes; for the ascending lists the page
// analyses it is the number of steps along the element list less one.
// Both pitch classes must belong to the set; asking for one outside it is a
// fault of the caller and ends the program.
int PitchClassSet::FindDegreeNumberBetween(int x, int y) const
{
    if (!isIntrinsic(x) || !isIntrinsic(y)) {
        std::fputs("K imitative test error\n", stderr);
        std::exit(-1);
    }
    const int from = Mod_X_Add(x, 0, 12);
    const int span = Mod_X_Add(y, -from, 12);
    if (span == 0)
        return -1;
    int between = 0;
    for (int step = 1; step < span; ++step)
        between += pcPresence[(from + step) % 12] > 0 ? 1 : 0;
    return between;
}

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
