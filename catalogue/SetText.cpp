#include "catalogue/SetText.h"

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "pcset/SetReader.h"

UserSet ReadUserSet(const std::string& text)
{
    UserSet set;
    const SetReading reading = UnderstandSetText(text);
    set.form = reading.form;
    set.pitchClasses = reading.pitchClasses;
    set.error = reading.error;
    if (!set.error.empty() || set.pitchClasses.empty()) {
        if (set.error.empty())
            set.error = "\"" + text + "\" names no pitch class";
        set.pitchClasses.clear();
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
