#include "interchange/AnalysisJson.h"

#include <cmath>

#include "analysis/Poles.h"
#include "analysis/Psychoacoustics.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "pcset/SetReader.h"
#include "relations/SubsetSearch.h"
#include "relations/ZRelations.h"

using Json = nlohmann::ordered_json;

namespace {

Json table(const int32_t (&values)[12]) { return std::vector<int>(values, values + 12); }

Json poles(const std::vector<PoleInfo>& list)
{
    Json out = Json::array();
    for (const PoleInfo& p : list)
        out.push_back({{"pc", p.pc}, {"value", p.value}, {"type", p.type}});
    return out;
}

// Every set is a list of pitch classes; a list of sets a list of lists.
Json typeList(const std::vector<std::vector<int>>& types)
{
    Json out = Json::array();
    for (const auto& t : types)
        out.push_back(t);
    return out;
}

// A measure to the digits the page prints of it: the binary noise of a
// float (0.30000000000000004) means nothing to a reader.
double Rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

Json relatedTypes(const std::vector<int>& tnType, bool supersets)
{
    int flag = 0;
    const auto types = supersets ? FindAllSupersetsSoft(tnType, &flag) : FindAllSubsetsSoft(tnType, &flag);
    // With flag -1 the list holds the exceptions: the smaller (bigger) types
    // that are not subsets (supersets).
    return {{"flag", flag}, {flag == 1 ? "types" : "allExcept", typeList(types)}};
}

}  // namespace

Json AnalyseSet(const std::vector<int>& list, const std::string& input)
{
    PitchClassSet entered;
    entered.initializeSet(list);
    const std::vector<int> tnType = entered.getTnType();
    const std::string tnText = VectorToString(tnType);

    PitchClassSet p;
    p.initializeSet(tnType);
    p.calculateEverything();

    Json identity;
    identity["input"] = input;
    identity["pitchClasses"] = DistinctPitchClasses(list);
    identity["normalForm"] = entered.getNormalForm();
    identity["tnType"] = tnType;
    identity["tnTypeText"] = tnText;
    identity["tnIType"] = p.getTnIType();
    identity["tnITypeText"] = VectorToString(p.getTnIType());
    identity["invTnType"] = p.getInvTnType();
    identity["complement"] = p.calculateTnType(p.getComplementary());
    identity["intervalVector"] = p.getIntervalVector();
    identity["costereCode"] = calculateAdjCostereNumber(tnType);
    identity["forteName"] = FindForteName(p);
    identity["page"] = FindSetID(tnText, SharedUniverse()) + 1;
    identity["zRelated"] = typeList(FindZrelations(p));

    Json tables;
    tables["parncuttTable"] = table(p.parncuttTable);
    tables["parncuttSupportCount"] = table(p.parncuttSupportCount);
    tables["parncuttInvTable"] = table(p.parncuttInvTable);
    tables["parncuttInvSupportCount"] = table(p.parncuttInvSupportCount);
    tables["costereCardinalTable"] = table(p.costereCardinalTable);
    tables["costereTonalMajorTable"] = table(p.costereTonalMajorTable);
    tables["costereTonalMinorTable"] = table(p.costereTonalMinorTable);
    tables["costereTranspositionalTable"] = table(p.costereTranspositionalTable);
    tables["costereInversionalTable"] = table(p.costereInversionalTable);
    tables["invarianceTnTable"] = table(p.invarianceTnTable);
    tables["invarianceTnITable"] = table(p.invarianceTnITable);

    Json lists;
    lists["parncuttRoots"] = p.parncuttRoots;
    lists["parncuttVertexes"] = p.parncuttVertexes;
    lists["rootGeneratrices"] = p.rootGeneratrices;
    lists["vertexGeneratrices"] = p.vertexGeneratrices;
    lists["symmetryIndices"] = p.symmetryIndices;
    lists["pcAxes"] = p.pcAxes;
    lists["interAxes"] = p.interAxes;
    lists["intrinsicAxes"] = p.intrinsicAxes;
    lists["inWeight"] = p.inWeight;
    lists["exWeight"] = p.exWeight;
    lists["tonalType"] = p.GiveTonalType();
    lists["intrinsicPoles"] = poles(p.intrinsicPoles);
    lists["extrinsicPoles"] = poles(p.extrinsicPoles);
    lists["tonalPoles"] = poles(p.tonalPoles);
    lists["mainTonalPoles"] = poles(p.mainTonalPoles);
    lists["imitationPoles"] = poles(p.imitationPoles);
    Json robust = Json::array();
    for (const RobustPoleInfo& r : p.robustImitationPoles)
        robust.push_back({{"pc", r.pc}, {"mold", r.mold}, {"type", r.type}});
    lists["robustImitationPoles"] = robust;
    Json groups = Json::array();
    for (const RobustImitationInfo& g : p.robustImitations)
        groups.push_back({{"poles", poles(g.poles)}, {"mold", g.mold}, {"marker", g.marker}});
    lists["robustImitations"] = groups;

    Json setInfos = Json::array();
    for (const SetInfo& info : p.setInfos)
        setInfos.push_back({{"label", info.label}, {"text", info.text}});

    PitchClassSet inverted;
    inverted.initializeSet(p.get_PitchClassSet(1, 0));
    PitchClassSet major, minor;
    major.initializeSet({0, 4, 7});
    minor.initializeSet({0, 3, 7});
    Json measures;
    measures["tonicity"] = Rounded(CalculateTonicity(p), 2);
    measures["phonicity"] = Rounded(CalculatePhonicity(p), 2);
    measures["azimuth"] = Rounded(CalculateAzimuth(p), 1);
    measures["roughness"] = Rounded(CalculateFrozenHutchinsonKnopoffRoughness(tnType), 2);
    measures["commonality"] = {
        {"Tn", CalculateCommonalityForAllTns(p, p)},
        {"TnI", CalculateCommonalityForAllTns(p, inverted)},
        {"047", CalculateCommonalityForAllTns(p, major)},
        {"037", CalculateCommonalityForAllTns(p, minor)},
    };

    Json result;
    result["identity"] = identity;
    result["tables"] = tables;
    result["analysis"] = lists;
    result["attributes"] = p.attributes;
    result["setInfos"] = setInfos;
    result["measures"] = measures;
    result["subsets"] = relatedTypes(tnType, false);
    result["supersets"] = relatedTypes(tnType, true);
    return result;
}
