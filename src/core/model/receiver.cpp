#include "model/receiver.h"

namespace elix {

void CReceiver::WriteItem(CTextWriter& out, float version) {
    if (damping != 0.0f) form = kAdvancedForm;

    out.Line(name);
    out.Print("%d\n", form);
    out.StringLine(outputFile);
    out.Print("%e\n", x1);
    out.Print("%e\n", y1);
    out.Print("%e\n", x2);
    out.Print("%e\n", y2);
    out.Print("%d\n", longitudinalMode);
    out.Print("%d\n", shearMode);
    out.Print("%d\n", averagedOnly);
    out.StringLine(longitudinalApodization);
    out.StringLine(shearApodization);
    out.Print("%d\n", wedge);
    out.Print("%e\n", wedgeCenterOffset);
    out.Print("%e\n", wedgeSize);
    out.Print("%e\n", wedgeAngle);
    out.Print("%d\n", wedgeFlip);
    out.Print("%d\n", wedgeGrayLevel);
    out.StringLine(wedgeLocation);
    if (form == kAdvancedForm) {
        out.Print("%e\n", gainFactor);
        out.Print("%e\n", blanking);
        out.Print("%e\n", duration);
        out.Print("%e\n", damping);
        out.Print("%d\n", curveArrayFlags);
        if (curveArrayFlags & kArrayElementBlock) WriteElementBlock(out, element);
        if (curveArrayFlags & kArrayFocusingBlock) WriteFocusingBlock(out, focusing);
    }
    if (version >= 2.0f) {
        out.Print("DataType %d\n", dataType);
        out.Print("PhaseType %d\n", phaseType);
        out.Line("ItemEnd");
    }
}

void CReceiver::ReadItem(CTextReader& in, const std::string& nameLine, float version) {
    name = FeToBlank(nameLine);
    in.ReadInteger(form);
    if (ReadItemString(in, outputFile) && outputFile == "None") outputFile.clear();
    in.ReadFloat(x1);
    in.ReadFloat(y1);
    in.ReadFloat(x2);
    in.ReadFloat(y2);
    in.ReadInteger(longitudinalMode);
    in.ReadInteger(shearMode);
    in.ReadInteger(averagedOnly);
    ReadItemString(in, longitudinalApodization);
    ReadItemString(in, shearApodization);
    in.ReadInteger(wedge);
    in.ReadFloat(wedgeCenterOffset);
    in.ReadFloat(wedgeSize);
    in.ReadFloat(wedgeAngle);
    in.ReadInteger(wedgeFlip);
    in.ReadInteger(wedgeGrayLevel);
    ReadItemString(in, wedgeLocation);
    if (form == kAdvancedForm) {
        in.ReadFloat(gainFactor);
        in.ReadFloat(blanking);
        in.ReadFloat(duration);
        in.ReadFloat(damping);
        in.ReadInteger(curveArrayFlags);
        if (curveArrayFlags & kArrayElementBlock) ReadElementBlock(in, element);
        if (curveArrayFlags & kArrayFocusingBlock) ReadFocusingBlock(in, focusing);
    }
    if (version >= 2.0f) {
        // Skip to the terminator; data and phase type are keyed values in
        // this stretch.
        std::string token;
        while (in.Token(token)) {
            if (token == "ItemEnd") break;
            if (token == "DataType") in.ReadInteger(dataType);
            else if (token == "PhaseType") in.ReadInteger(phaseType);
        }
    }
}

}  // namespace elix
