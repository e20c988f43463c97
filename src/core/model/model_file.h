// The model file (extension wmd): keyword sections for the header, comment,
// geometry name, the four item lists and the job parameters. ReadModel and
// WriteModel are members of CElixDoc; this header adds the helpers around
// them.
#pragma once

#include <string>

namespace elix {

class CElixDoc;

// The item start test of the model reader, by file format version. Returns
// true when line starts an item, and sets name to the line without its
// start marker.
bool IsItemStart(const std::string& line, float version, std::string& name);

// The name that Save As proposes: the document's file name (for a new model,
// its title) cut at the first blank, '#', '%', ';', '/' or '\'.
std::string ProposeSaveAsName(const CElixDoc& doc);

// Save As file chooser settings for models.
inline constexpr const char* kModelFileFilter = "Elastrix Files (*.wmd)|*.wmd|All Files (*.*)|*.*||";
inline constexpr const char* kModelFileExtension = "wmd";

}  // namespace elix
