// The analysis of a pitch-class set: one call fills, in dependency order,
// everything the page and the set relations read from the set. Each step
// clears what it fills, so the analysis can be run again after a reload.

#include "pcset/PitchClassSet.h"

void PitchClassSet::calculateEverything()
{
    calculateIntervalVectorII();
    calculateParncuttTable();
    // The Costère tonal, transpositional and inversional tables and the
    // weights read the cardinal table.
    calculateCostereCardinalTable();
    calculateCostereTonalMajorTable();
    calculateCostereTonalMinorTable();
    calculateCostereTranspositionalTable();
    calculateCostereInversionalTable();
    calculateInvarianceTables();
    calculateInExWeights();
    // The poles read the cardinal and tonal tables.
    calculatePoles();
    calculateSymmetryAxes();
    calculateImitationPatterns();
    // The attributes read everything computed before them.
    calculateAttributes();
}
