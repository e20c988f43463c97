// The "Source Array Time Delay" dialog's report: the front and back delays
// an array source's law gives on the grid the model would run on now.
#pragma once

#include <string>

namespace elix {

class CElixDoc;
struct CSource;

// "Array Time Delay:\nFront = %f(us), Back = %f(us)." for source (which
// need not be in the list yet) on the grid of doc's job parameters and
// materials. False with the reason in text when the grid cannot be built or
// no material has the region gray level.
bool SourceArrayTimeDelayReport(const CElixDoc& doc, const CSource& source, std::string& text);

}  // namespace elix
