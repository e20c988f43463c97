// The fixed texts and capacity of each kind of item list.
#pragma once

#include <cstdint>

namespace elix {

struct ItemKindTexts {
    std::int16_t capacity;
    const char* fullList;
    const char* emptyName;
    const char* duplicateName;        // on add
    const char* modifyDuplicateName;  // on apply (differs for electrode pairs)
    const char* nameNotFound;
    const char* firstItem;
    const char* lastItem;
    const char* deleteQuestion;  // "%s": the name on display
    const char* emptyListOnApply;
    const char* addBeforeOption;  // refusal of editor options that need an item
    const char* overlayKind;      // the DisplayCategory an editor of this kind shows
    bool destroysVacatedSlot;     // materials: a delete destroys the vacated slot
    bool uniqueOutputFile;        // receivers: a non-blank output file name is unique
};

extern const ItemKindTexts kMaterialTexts;
extern const ItemKindTexts kBoundaryConditionTexts;
extern const ItemKindTexts kSourceTexts;
extern const ItemKindTexts kReceiverTexts;
extern const ItemKindTexts kElectrodeTexts;
extern const ItemKindTexts kElectrodePairTexts;

}  // namespace elix
