// The receiver editor ("Receiver Configuration") without its window:
// location by side, the Advanced editor's conversions (gain in dB, times in
// microseconds) and the rule that picks the receiver's item block form.
#pragma once

#include <string>

#include "model/elix_doc.h"
#include "model/field_range.h"
#include "model/item_editor.h"
#include "model/location_rules.h"
#include "model/receiver.h"

namespace elix {

// Gain: the record holds the linear factor 10^(dB / 20).
float GainFactorFromDb(double gainDb);
// 20 log10(factor); a factor that is not positive has no level in dB and
// shows as 0.
double GainDbFromFactor(double factor);

// The name a chosen file is kept under in the model: its file name alone
// when it lies in the model file's folder (so the model can move with its
// files), else the chosen path. A model not saved yet keeps the path.
std::string NameRelativeToModel(const std::string& modelPath, const std::string& chosenPath);

// Times: the editors show microseconds, the records hold seconds.
float SecondsFromMicroseconds(double microseconds);
double MicrosecondsFromSeconds(double seconds);

// The Advanced editor ("Advanced Receiver"), in the units shown.
struct ReceiverAdvancedFields {
    EndPointFields endPoints;
    double gainDb = 0.0;       // "Gain (dB)"
    double blankingUs = 0.0;   // "Blanking (us)"
    double durationUs = 0.0;   // "Duration (us)"
    double damping = 0.0;      // "Damping"
    bool receiverArray = false;  // "Receiver Array": the array blocks take part
    bool averagedOnly = true;    // "Averaged Only"
    std::string longitudinalApodization = "Uniform";
    std::string shearApodization = "Uniform";
};

// A gain beyond +-300 dB leaves the range of a float factor's useful values.
inline constexpr FieldRange kGainRange{-300.0, 300.0};
inline constexpr FieldRange kTimeRange{0.0, 1e20};  // microseconds
inline constexpr FieldRange kDampingRange{0.0, 1e20};

ReceiverAdvancedFields ShowReceiverAdvanced(const CReceiver& receiver);

// The form a receiver is written in after its Advanced editor is applied:
// 1 when the "Receiver Array" box is off, the gain factor is 1, blanking
// and duration are not positive and there is no damping; 2 otherwise.
std::int16_t ReceiverAdvancedForm(const CReceiver& receiver, bool receiverArray);

// Takes the Advanced fields into the receiver and sets its form by the rule
// above. With "Receiver Array" off the array flags are cleared (the blocks
// keep their values); on, a receiver without array flags gets both blocks. A field out of its range is shown through report and
// nothing changes.
bool TakeReceiverAdvanced(const ReceiverAdvancedFields& fields, CReceiver& receiver, const FieldReport& report);

class CReceiverEditor {
public:
    // model: the width and height the side table uses.
    CReceiverEditor(CElixDoc& doc, const ModelExtent& model);

    CItemEditor<CReceiver>& Items() { return m_items; }
    CReceiver& Buffer() { return m_items.buffer; }

    void Load();
    LocationFields Location() const { return m_location; }
    // "Save to File" is on exactly when the output file name is not empty.
    bool SaveToFile() const { return !m_items.buffer.outputFile.empty(); }

    bool TakeLocation(const LocationFields& fields);

    // The Advanced editor: refused with "Please add receiver before checking
    // this option." on an empty list; OK takes its fields into the buffer.
    bool OpenAdvanced();
    bool TakeAdvanced(const ReceiverAdvancedFields& fields);

    bool Apply(const LocationFields& fields);

private:
    void Show();
    FieldReport Reporter();

    CElixDoc& m_doc;
    ModelExtent m_model;
    CItemEditor<CReceiver> m_items;
    LocationFields m_location;
};

}  // namespace elix
