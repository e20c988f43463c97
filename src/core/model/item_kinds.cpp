#include "model/item_kinds.h"

namespace elix {

const ItemKindTexts kMaterialTexts{
    16,
    "No more material property can be added!",
    "Material property must have a non blank name!",
    "Material property must have a unique name!",
    "Material property must have a unique name!",
    "No Material Property is deleted!",
    "This is the first material property!",
    "This is the last material property!",
    "Are you sure you want to delete Material '%s'?",
    "There is no material\nTo add a material, press \"add\" button",
    "",  // the material editor has no option that needs an item
    "MaterialProperties",
    true,
    false,
};

const ItemKindTexts kBoundaryConditionTexts{
    32,
    "No more Boundary condition can be added!",
    "Boundary Condition must have a non blank name!",
    "Boundary Condition must have a unique name!",
    "Boundary Condition must have a unique name!",
    "No Boundary Condition is deleted!",
    "This is the first boundary condition!",
    "This is the last boundary condition!",
    "Are you sure you want to delete BC '%s'?",
    "This model has no defined BC\nTo add new BC, press \"add\" button",
    "Please add boundary contition before checking this option.",
    "BoundaryConditions",
    false,
    false,
};

const ItemKindTexts kSourceTexts{
    32,
    "No more Source can be added!",
    "Source must have a non blank name!",
    "Source must have a unique name!",
    "Source must have a unique name!",
    "No Source is deleted!",
    "This is the first source!",
    "This is the last source!",
    "Are you sure you want to delete Source '%s'?",
    "This model has no source\nTo add a source, press \"add\" button",
    "Please add source before checking this option.",
    "Sources",
    false,
    false,
};

const ItemKindTexts kReceiverTexts{
    32,
    "No more Receiver can be added!",
    "Receiver must have a non blank name!",
    "Receiver must have a unique name!",
    "Receiver must have a unique name!",
    "No Receiver is deleted!",
    "This is the first receiver!",
    "This is the last receiver!",
    "Are you sure you want to delete Receiver '%s'?",
    "This model has no receiver\nTo add a receiver, press \"add\" button",
    "Please add receiver before checking this option.",
    "Receivers",
    false,
    true,
};

const ItemKindTexts kElectrodeTexts{
    128,
    "No more Electrode can be added!",
    "Electrode must have a non blank name!",
    "Electrode must have a unique name!",
    "Electrode must have a unique name!",
    "No Electrode is deleted!",
    "This is the first electrode!",
    "This is the last electrode!",
    "Are you sure you want to delete Electrode '%s'?",
    "This model has no electrode\nTo add an electrode, press \"add\" button",
    "Please add electrode before checking this option.",
    "Electrodes",
    false,
    false,
};

const ItemKindTexts kElectrodePairTexts{
    128,
    "No more Electrode Pair can be added!",
    "Electrode Pair must have a non blank name!",
    "Electrode Pair must have a unique name!",
    "Electrode pair must have a unique name!",
    "No Electrode Pair is deleted!",
    "This is the first electrode pair!",
    "This is the last electrode pair!",
    "Are you sure you want to delete Electrode pair'%s'?",
    "This model has no electrode pair\nTo add an electrode pair, press \"add\" button",
    "Please add electrode pair before checking this option.",
    "ElectrodePairs",
    false,
    false,
};

}  // namespace elix
