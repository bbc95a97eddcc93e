#include "catalogue/SetText.h"

#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"

UserSet ReadUserSet(const std::string& text)
{
    UserSet set;
    set.form = IsCostereCodeText(text) ? "Costère code" : "pitch-class list";
    set.pitchClasses = ReadSetText(text);
    if (set.pitchClasses.empty()) {
        set.error = "\"" + text + "\" names no pitch class (give a list such as \"0 4 7\" or a Costère code such as "
                                  "13.12.14)";
        return set;
    }
    // The record reduces every value mod 12 and keeps the first values it
    // can hold, so any list that names a pitch class has a catalogue page.
    PitchClassSet loaded;
    loaded.initializeSet(set.pitchClasses);
    set.tnType = loaded.getTnType();
    set.tnText = VectorToString(set.tnType);
    set.page = FindSetID(set.tnText, SharedUniverse()) + 1;
    return set;
}
