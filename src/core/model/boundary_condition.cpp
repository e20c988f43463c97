#include "model/boundary_condition.h"

#include "model/source.h"

namespace elix {

void CBoundaryCondition::WriteItem(CTextWriter& out, float version) const {
    out.Line(name);
    out.Print("%d\n", form);
    if (form == kFieldForm) {
        out.Print("%e\n", x1);
        out.Print("%e\n", y1);
        out.Print("%e\n", x2);
        out.Print("%e\n", y2);
        out.Print("%e\n", longitudinalDuration);
        out.Print("%e\n", shearDuration);
        out.Print("%e\n", timeDelay);
        out.Print("%d\n", longitudinalFixed);
        out.Print("%d\n", shearFixed);
        out.Print("%d\n", activeInDurationOnly);
        out.StringLine(longitudinalSignalName);
        out.StringLine(shearSignalName);
        out.StringLine(longitudinalDistribution);
        out.StringLine(shearDistribution);
    }
    if (version >= 2.0f) out.Line("ItemEnd");
}

void CBoundaryCondition::ReadItem(CTextReader& in, const std::string& nameLine, float version) {
    name = FeToBlank(nameLine);
    in.ReadInteger(form);
    if (form == kFieldForm) {
        in.ReadFloat(x1);
        in.ReadFloat(y1);
        in.ReadFloat(x2);
        in.ReadFloat(y2);
        in.ReadFloat(longitudinalDuration);
        in.ReadFloat(shearDuration);
        in.ReadFloat(timeDelay);
        in.ReadInteger(longitudinalFixed);
        in.ReadInteger(shearFixed);
        in.ReadInteger(activeInDurationOnly);
        ReadItemString(in, longitudinalSignalName);
        ReadItemString(in, shearSignalName);
        ReadItemString(in, longitudinalDistribution);
        ReadItemString(in, shearDistribution);
    }
    if (version >= 2.0f) in.SkipTokensThrough("ItemEnd");
}

}  // namespace elix
