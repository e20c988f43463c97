#include "engine/array_time_delay.h"

#include "engine/model_check.h"
#include "engine/time_step.h"
#include "model/elix_doc.h"

namespace elix {

bool SourceArrayTimeDelayReport(const CElixDoc& doc, const CSource& source, std::string& text) {
    CRunGeometry geometry;
    if (!ComputeRunGeometry(doc, geometry, text)) return false;
    double front = 0.0, back = 0.0;
    if (!SourceArrayTimeDelays(doc, geometry, source, front, back, text)) return false;
    text = ArrayTimeDelayText(front, back);
    return true;
}

}  // namespace elix
