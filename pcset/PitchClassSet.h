#ifndef HARMODEX_PCSET_PITCHCLASSSET_H
#define HARMODEX_PCSET_PITCHCLASSSET_H

// The central record of Harmodex: one pitch-class set as entered, its
// canonical forms (normal form, Tn-type, TnI-type, complement, interval
// vector) and everything the analysis derives from it.
//
// Pitch classes are integers 0 to 11 (0 = C), counting semitones upward.

#include <cstdint>
#include <string>
#include <vector>

#include "pcset/SetRecords.h"

// (a + b) brought into 0 .. m-1, also for negative sums: the result of adding
// m while negative and subtracting m while at least m, computed in constant
// time and without overflow for every int. m must be at least 1; for m < 1
// (no such modulus exists) the result is 0.
int Mod_X_Add(int a, int b, int m);

class PitchClassSet {
public:
    // Most values one record holds. A longer list is cut to its first
    // MaxElements values when loaded (the entry fields, at 200 characters,
    // cannot type more than 100 pitch classes).
    static constexpr int MaxElements = 100;

    PitchClassSet();

    // Loading and accessors.
    void initializeSet(std::vector<int> list);
    int getNelements() const;
    int getNelementsNormal() const;
    std::vector<int> getNormalForm() const;
    std::vector<int> getTnType() const;
    std::vector<int> getTnIType() const;
    std::vector<int> getInvTnType() const;
    std::vector<int> getComplementary() const;
    std::vector<int> getIntervalVector() const;
    // The loaded elements transposed (x + level) or, when inversion is 1,
    // inverted (level - x); input order and duplicates kept.
    std::vector<int> get_PitchClassSet(int inversion, int level) const;
    void calculateIntervalVectorII();

    // Canonical forms of any list (they use no member).
    std::vector<int> calculateNormalForm(std::vector<int> list) const;
    std::vector<int> calculateTnType(std::vector<int> list) const;
    std::vector<int> calculateTnIType(std::vector<int> list) const;
    std::vector<int> genericInvertion(std::vector<int> list) const;
    std::vector<int> calculateComplementary(std::vector<int> list) const;
    std::vector<int> calculateIntervalVector(std::vector<int> list) const;

    // Membership: a pitch class is intrinsic when the set holds it.
    bool isIntrinsic(int pc) const;
    bool isIntrinsic(const std::vector<int>& pcs) const;

    // The analysis pipeline and its steps.
    void calculateEverything();
    void calculateParncuttTable();
    void calculateCostereCardinalTable();
    void calculateCostereTonalMajorTable();
    void calculateCostereTonalMinorTable();
    void calculateCostereTranspositionalTable();
    void calculateCostereInversionalTable();
    void calculateInvarianceTables();
    void calculateInExWeights();
    void calculatePoles();
    void calculateSymmetryAxes();
    void calculateImitationPatterns();
    void calculateAttributes();

    std::vector<int> getParncuttTable() const;
    std::vector<int> getParncuttInvTable() const;
    int getNroots() const;
    int getNvertexes() const;
    std::vector<int> getCostereCardinalTable() const;
    std::vector<int> getCostereTonalMajorTable() const;
    std::vector<int> getCostereTonalMinorTable() const;
    std::vector<int> getCostereTranspositionalTable() const;
    std::vector<int> getCostereInversionalTable() const;
    std::vector<int> getInvarianceTnTable() const;
    std::vector<int> getInvarianceTnITable() const;

    int GiveTonalType() const;
    bool isSymmetric() const;
    int FindDegreeNumberBetween(int x, int y) const;
    std::vector<SetInfo> getSetInfoByLabel(const char* label) const;

    // Identity of the set.
    int32_t nElements;
    int32_t nElementsNormal;
    int32_t elements[MaxElements];
    int32_t normalForm[MaxElements];
    int32_t intervalVector[6];
    int32_t pcPresence[12];
    int32_t center;
    int32_t costereOffset;
    char costereLabel[100];

    // Root salience (after Parncutt) and its inverse, the vertex table.
    int32_t parncuttTable[12];
    int32_t parncuttSupportCount[12];
    int32_t parncuttIITable[12];
    int32_t parncuttInvTable[12];
    int32_t parncuttInvSupportCount[12];
    float parncuttRevisedTable[12];

    // Costère attraction tables and invariance (common-tone) tables.
    int32_t costereCardinalTable[12];
    int32_t costereTonalMajorTable[12];
    int32_t costereTonalMinorTable[12];
    int32_t costereTranspositionalTable[12];
    int32_t costereInversionalTable[12];
    int32_t invarianceTnTable[12];
    int32_t invarianceTnITable[12];

    std::vector<int> pcAxes;
    std::vector<int> intrinsicAxes;
    std::vector<int> parncuttRoots;
    std::vector<int> parncuttVertexes;
    std::vector<int> rootGeneratrices;
    std::vector<int> vertexGeneratrices;
    std::vector<float> interAxes;
    std::vector<int> symmetryIndices;
    int32_t inWeight;
    int32_t exWeight;
    std::vector<std::string> attributes;
    std::vector<PoleInfo> intrinsicPoles;
    std::vector<PoleInfo> extrinsicPoles;
    std::vector<PoleInfo> tonalPoles;
    std::vector<PoleInfo> mainTonalPoles;
    std::vector<PoleInfo> imitationPoles;
    std::vector<ImitationInfo> imitations;
    std::vector<RobustPoleInfo> robustImitationPoles;
    std::vector<RobustImitationInfo> robustImitations;
    std::vector<SetInfo> setInfos;
};

#endif
